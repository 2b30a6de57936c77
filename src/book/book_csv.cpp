#include "book/book_csv.h"

#include <algorithm>

#include "compute/cut_fill.h"
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

void AppendStation(std::string& csv, const char* side, const ReportRecord& record,
                   bool cut_fill_column) {
  std::vector<std::string_view> fields;
  if (record.IsMessage() || record.cells.empty()) {
    fields = {side, record.station_text, record.region_station, "", "", "", "", "",
              record.IsMessage() ? std::string_view(record.message_text) : ""};
    if (cut_fill_column) fields.emplace_back();
    AppendRow(csv, fields);
    return;
  }
  for (size_t n = 0; n < record.cells.size(); ++n) {
    const Cell& cell = record.cells[n];
    const std::string number = std::to_string(n + 1);
    const std::string slope(TrimBlanks(FormatHashDot00(cell.slope)));
    const std::string cut_fill = cell.cut_fill ? CutFillNumber(*cell.cut_fill) : "";
    fields = {side, record.station_text, record.region_station, number, cell.label,
              TrimBlanks(cell.offset), TrimBlanks(cell.elevation), slope, ""};
    if (cut_fill_column) fields.emplace_back(cut_fill);
    AppendRow(csv, fields);
  }
}

bool HasCutOrFill(const SideBook& book) {
  return std::any_of(book.report.begin(), book.report.end(), [](const ReportRecord& record) {
    return std::any_of(record.cells.begin(), record.cells.end(),
                       [](const Cell& cell) { return cell.cut_fill.has_value(); });
  });
}

}  // namespace

std::string BookCsv(const Book& book, const std::vector<Side>& sides) {
  const bool cut_fill_column = std::any_of(
      sides.begin(), sides.end(), [&](Side side) { return HasCutOrFill(book.Of(side)); });
  std::string csv;
  std::vector<std::string_view> header(std::begin(kCsvColumns), std::end(kCsvColumns));
  if (cut_fill_column) header.push_back(kCsvCutFillColumn);
  AppendRow(csv, header);
  for (const Side side : sides) {
    const SideBook& pages = book.Of(side);
    for (const ReportRecord& record : pages.report) {
      AppendStation(csv, pages.Names().csv, record, cut_fill_column);
    }
  }
  return csv;
}

}  // namespace vantrels
