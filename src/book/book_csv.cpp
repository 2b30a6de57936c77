#include "book/book_csv.h"

#include "compute/grade.h"
#include "model/cp1252.h"
#include "model/text.h"

namespace vantrels {

namespace {

void AppendField(std::string& csv, std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) {
    csv += utf8;
    return;
  }
  csv += '"';
  for (const char c : utf8) {
    if (c == '"') csv += '"';
    csv += c;
  }
  csv += '"';
}

// One row: fields that hold the file's Windows-1252 texts, decoded.
void AppendRow(std::string& csv, const std::vector<std::string_view>& cp1252_fields) {
  for (size_t n = 0; n < cp1252_fields.size(); ++n) {
    if (n > 0) csv += ',';
    AppendField(csv, Cp1252ToUtf8(cp1252_fields[n]));
  }
  csv += "\r\n";
}

void AppendStation(std::string& csv, const char* side, const ReportRecord& record) {
  if (record.IsMessage() || record.cells.empty()) {
    AppendRow(csv, {side, record.station_text, record.region_station, "", "", "", "", "",
                    record.IsMessage() ? std::string_view(record.message_text) : ""});
    return;
  }
  for (size_t n = 0; n < record.cells.size(); ++n) {
    const Cell& cell = record.cells[n];
    const std::string number = std::to_string(n + 1);
    const std::string slope(TrimBlanks(FormatHashDot00(cell.slope)));
    AppendRow(csv, {side, record.station_text, record.region_station, number, cell.label,
                    TrimBlanks(cell.offset), TrimBlanks(cell.elevation), slope, ""});
  }
}

}  // namespace

std::string BookCsv(const Book& book, const std::vector<Side>& sides) {
  std::string csv;
  std::vector<std::string_view> header(std::begin(kCsvColumns), std::end(kCsvColumns));
  AppendRow(csv, header);
  for (const Side side : sides) {
    const SideBook& pages = book.Of(side);
    for (const ReportRecord& record : pages.report) {
      AppendStation(csv, pages.Names().csv, record);
    }
  }
  return csv;
}

}  // namespace vantrels
