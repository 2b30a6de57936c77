#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "model/book.h"

namespace vantrels {

class RememberedChoices;

// The files the viewer writes: the PDF of its print choices and the exports.
enum class OutputKind {
  kPdf,
  // The book's points as a spreadsheet (BookCsv).
  kSpreadsheet,
  // Stake-out files (StakeoutFile) for Trimble Business Center and Civil 3D.
  kTbcStakeout,
  kCivil3dStakeout,
};

// The save dialog of an output: its caption and file filter, and the name it suggests.
struct OutputDialogText {
  QString caption;
  QString filter;
  // Appended to the criteria file's name without its extension: ".pdf", "-book.csv".
  QString name_suffix;
};
// `side` names the side of a divided roadway's stake-out ("Stake-out for TBC, right side").
OutputDialogText DialogTextOf(OutputKind kind, std::optional<Side> side);

// Where the save dialog starts: in `last_folder`, else the criteria file's folder, with the
// criteria file's name and the output's suffix ("/data/divided-right-tbc.csv").
QString SuggestedOutputPath(OutputKind kind, std::optional<Side> side, const QString& last_folder,
                            const QString& criteria_file);

// The save dialog of every output: it starts where the last output went (kept between runs) and
// remembers the folder of the file chosen.
class OutputFileDialog {
 public:
  explicit OutputFileDialog(RememberedChoices& remembered);

  // The dialog itself: caption, start path and filter in, the file chosen (empty: cancelled)
  // out. Preset to a Qt save-file dialog over the active window.
  std::function<QString(const QString& caption, const QString& start, const QString& filter)>
      ask;

  // Whether `file`, which exists, may be replaced. Asked when the extension added to the chosen
  // name makes it an existing file the save dialog did not ask about. Preset to a Qt question.
  std::function<bool(const QString& caption, const QString& file)> confirm_replace;

  // Asks for the file of `kind` for the book read from `criteria_file` (the file name's bytes).
  // A chosen name without the output's extension gets it; empty when the user declines to replace
  // the file that name then names.
  QString Ask(OutputKind kind, std::optional<Side> side, const std::string& criteria_file);

 private:
  RememberedChoices& remembered_;
};

}  // namespace vantrels
