// The viewer's exports: the spreadsheet and the stake-out files, written as the command line
// writes them.
#include <QFile>
#include <string>
#include <vector>

#include "book/book_csv.h"
#include "book/stakeout.h"
#include "gui/job_progress.h"
#include "gui/print_controller.h"
#include "model/output_file.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

// Messages are Windows-1252 text; the core's stake-out messages are UTF-8.
std::string FromUtf8(const std::string& text) {
  return ToReportBytes(QString::fromStdString(text));
}

StakeoutFormat FormatOf(OutputKind kind) {
  return kind == OutputKind::kTbcStakeout ? StakeoutFormat::kTbc : StakeoutFormat::kCivil3d;
}

std::string ReplacedCodesMessage(const std::vector<ReplacedCode>& replaced, OutputKind kind,
                                 const std::string& shown_path) {
  std::string text = "Point codes written otherwise in " + shown_path + " (";
  text += kind == OutputKind::kTbcStakeout
              ? "a TBC code holds no comma, semicolon, quote or control character"
              : "a Civil 3D description holds no comma, blank, quote or control character";
  text += "):";
  for (const ReplacedCode& code : replaced) {
    text += "\n\"" + code.code + "\" as \"" + code.written + "\"";
  }
  return text;
}

}  // namespace

Result<std::string> PrintController::Export(const BookDocument& document, OutputKind kind) {
  const Book* book = document.book();
  if (!book || kind == OutputKind::kPdf) return std::string();
  const bool stakeout = kind != OutputKind::kSpreadsheet;
  // TBC and Civil 3D read one alignment a file: a divided roadway's stake-out is the side on show.
  const std::optional<Side> side =
      stakeout && book->Divided() ? std::optional(document.place().side) : std::nullopt;
  const QString path = ask_export_file ? ask_export_file(kind, side) : QString();
  if (path.isEmpty()) return Failure{FailureKind::kCancelled, {}};

  const BusyCursor busy;
  std::string bytes;
  std::vector<ReplacedCode> replaced;
  if (stakeout) {
    Result<Stakeout> file = StakeoutFile(book->Of(side.value_or(Side::Left)), {}, FormatOf(kind));
    if (!file) return Rejected("Cannot export the stake-out: " + FromUtf8(file.failure().message));
    bytes = std::move(file->bytes);
    replaced = std::move(file->replaced);
  } else {
    bytes = BookCsv(*book, book->Divided() ? std::vector{Side::Left, Side::Right}
                                           : std::vector{Side::Left});
  }
  if (Status written = WriteFile(path, bytes, document); !written) return written.failure();

  const std::string shown_path = ToReportBytes(path);
  if (!replaced.empty()) messages_.Show(ReplacedCodesMessage(replaced, kind, shown_path));
  std::string what = !stakeout                           ? "Spreadsheet of the whole book"
                     : kind == OutputKind::kTbcStakeout ? "Stake-out for TBC"
                                                        : "Stake-out for Civil 3D";
  if (side) what += *side == Side::Left ? " (left side, the side on show)"
                                        : " (right side, the side on show)";
  return what + " written to " + shown_path;
}

Status PrintController::WriteFile(const QString& path, const std::string& bytes,
                                  const BookDocument& document) {
  OutputFile output(QFile::encodeName(path).toStdString());
  Status written = output.Open({document.file()});
  if (written) written = output.Write(bytes);
  if (written) written = output.Commit();
  if (written) return {};
  // Messages are Windows-1252 text; the path as the user sees it.
  const std::string shown_path = ToReportBytes(path);
  const bool input = written.failure().kind == FailureKind::kUsage;
  const std::string what =
      output.in_place()
          ? shown_path + " is written but not yet safe on disk: its folder could not be flushed"
          : "Cannot write " + shown_path;
  return Rejected(what + ": " +
                  (input ? "it is the criteria file being read" : written.failure().message));
}

}  // namespace vantrels
