#include "gui/output_files.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "gui/remembered_choices.h"

namespace vantrels {

namespace {

QString SideWord(std::optional<Side> side) {
  if (!side) return {};
  return *side == Side::Left ? "left" : "right";
}

}  // namespace

OutputDialogText DialogTextOf(OutputKind kind, std::optional<Side> side) {
  // A divided roadway's stake-out is one side: its caption and name say which.
  const QString caption_side = side ? ", " + SideWord(side) + " side" : QString();
  const QString name_side = side ? "-" + SideWord(side) : QString();
  switch (kind) {
    case OutputKind::kPdf:
      return {"Print to PDF file", "PDF files (*.pdf)", ".pdf"};
    case OutputKind::kSpreadsheet:
      // Never the criteria file's own name: that file is the input.
      return {"Export Spreadsheet", "CSV files (*.csv)", "-book.csv"};
    case OutputKind::kTbcStakeout:
      return {"Export Stake-out for TBC" + caption_side, "TBC Excel files (*.csv)",
              name_side + "-tbc.csv"};
    case OutputKind::kCivil3dStakeout:
      return {"Export Stake-out for Civil 3D" + caption_side, "Civil 3D point files (*.txt)",
              name_side + "-civil3d.txt"};
  }
  return {};
}

QString SuggestedOutputPath(OutputKind kind, std::optional<Side> side, const QString& last_folder,
                            const QString& criteria_file) {
  const QFileInfo criteria(criteria_file);
  const QString folder = !last_folder.isEmpty()       ? last_folder
                         : !criteria_file.isEmpty()   ? criteria.absolutePath()
                                                      : QDir::homePath();
  const QString name = criteria_file.isEmpty() ? QString("vantrels-book") : criteria.completeBaseName();
  return QDir(folder).filePath(name + DialogTextOf(kind, side).name_suffix);
}

OutputFileDialog::OutputFileDialog(RememberedChoices& remembered) : remembered_(remembered) {
  ask = [](const QString& caption, const QString& start, const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, start, filter);
  };
  confirm_replace = [](const QString& caption, const QString& file) {
    return QMessageBox::warning(QApplication::activeWindow(), caption,
                                QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                    .arg(QDir::toNativeSeparators(file)),
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
  };
}

QString OutputFileDialog::Ask(OutputKind kind, std::optional<Side> side,
                              const std::string& criteria_file) {
  const OutputDialogText text = DialogTextOf(kind, side);
  const QString start = SuggestedOutputPath(kind, side, remembered_.OutputFolder(),
                                            QFile::decodeName(QByteArray::fromStdString(criteria_file)));
  QString file = ask ? ask(text.caption, start, text.filter) : QString();
  if (file.isEmpty()) return file;
  const QString extension = text.name_suffix.mid(text.name_suffix.lastIndexOf('.'));
  if (!file.endsWith(extension, Qt::CaseInsensitive)) {
    file += extension;
    // The dialog asked about replacing the name typed, not this one.
    if (QFileInfo::exists(file) && !(confirm_replace && confirm_replace(text.caption, file))) {
      return {};
    }
  }
  remembered_.SetOutputFolder(QFileInfo(file).absolutePath());
  return file;
}

}  // namespace vantrels
