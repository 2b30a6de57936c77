#include "cli/book_arguments.h"

#include <charconv>

#include "model/cp1252.h"

namespace vantrels {

namespace {

// The shortest plain decimal that reads back as the same number ("93.5", never "9.35e1").
std::string Decimal(double value) {
  char text[400];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  return std::string(text, result.ptr);
}

}  // namespace

std::vector<std::string> BookArguments(const BookOptions& o) {
  const BookOptions defaults;
  std::vector<std::string> args;
  if (o.project != defaults.project) args.push_back("--project=" + Cp1252ToUtf8(o.project));
  if (o.heading_date.size() == 10) {
    // "mm dd yyyy" back to "yyyy-mm-dd".
    const std::string& d = o.heading_date;
    args.push_back("--date=" + d.substr(6, 4) + "-" + d.substr(0, 2) + "-" + d.substr(3, 2));
  }
  if (o.columns != defaults.columns || o.lines != defaults.lines) {
    args.push_back("--cells=" + Decimal(o.columns) + "x" + Decimal(o.lines));
  }
  if (o.side) {
    args.push_back(*o.side == Side::Left ? "--side=left" : "--side=right");
  }
  if (o.pages) {
    args.push_back("--pages=" + std::to_string(o.pages->from) + "-" + std::to_string(o.pages->to));
  }
  if (o.from_station) args.push_back("--from-station=" + Decimal(*o.from_station));
  if (o.to_station) args.push_back("--to-station=" + Decimal(*o.to_station));
  if (o.output != BookOutput::kNone) {
    std::string option = OutputOption(o.output);
    if (o.output == BookOutput::kPdf) option += "=" + o.pdf_file;
    if (o.output == BookOutput::kPrinter) option += "=" + o.printer;
    if (o.output == BookOutput::kCsv) option += "=" + o.csv_file;
    if (o.output == BookOutput::kStakeout) option += "=" + o.stakeout_file;
    args.push_back(option);
  }
  if (o.stakeout_format != defaults.stakeout_format) {
    args.push_back(std::string("--stakeout-format=") + StakeoutFormatName(o.stakeout_format));
  }
  if (o.paper != defaults.paper) {
    args.push_back(o.paper == Paper::A4 ? "--paper=a4" : "--paper=legal");
  }
  if (o.font != defaults.font) args.push_back("--font=" + o.font);
  if (o.output != BookOutput::kListPrinters) {
    args.push_back("--");
    args.push_back(o.file);
  }
  return args;
}

void PrintTo(const BookOptions& options, std::ostream* out) {
  for (const std::string& arg : BookArguments(options)) *out << " [" << arg << "]";
}

}  // namespace vantrels
