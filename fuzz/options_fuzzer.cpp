// Feeds arbitrary command lines to vantrels-book's option parser; the input is split at NUL
// bytes into arguments, as a shell hands them over. After each run the target aborts when
// reading is not repeatable, when an error is not one line of usage text, when accepted options
// lie outside the bounds that --help documents, or when they read differently written back.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/book_arguments.h"
#include "cli/book_options.h"

namespace vantrels {
namespace {

std::vector<std::string> SplitAtNul(const uint8_t* data, size_t size) {
  std::vector<std::string> args;
  if (size == 0) return args;
  args.emplace_back();
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back().push_back(static_cast<char>(data[i]));
    }
  }
  return args;
}

bool OneLineOfText(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

bool ValidDate(const std::string& date) {
  if (date.empty()) return true;
  int month = 0, day = 0, year = 0;
  char end = 0;
  if (date.size() != 10 || date[2] != ' ' || date[5] != ' ') return false;
  if (std::sscanf(date.c_str(), "%2d %2d %4d%c", &month, &day, &year, &end) != 3) return false;
  return month >= 1 && month <= 12 && day >= 1 && day <= 31 && year >= 1;
}

bool ValidCells(double cells) {
  return std::isfinite(cells) && cells > 0 && cells <= 32767;
}

// Why accepted options break a documented bound; empty when they keep them all.
std::string BrokenBound(const BookOptions& o) {
  const BookOptions defaults;
  const bool as_text = o.output == BookOutput::kText || o.output == BookOutput::kStations;
  const bool chooses_pages = as_text || DrawsOnPaper(o.output);
  const bool chooses_stations = chooses_pages || o.output == BookOutput::kStakeout;
  if (o.output == BookOutput::kNone) return "no output";
  if (!ValidCells(o.columns) || !ValidCells(o.lines)) return "cells outside (0, 32767]";
  if (!as_text && (o.columns != defaults.columns || o.lines != defaults.lines)) {
    return "cells without --text or --stations";
  }
  if (o.pages && (o.pages->from < 1 || o.pages->from > o.pages->to)) return "pages out of order";
  for (const auto& end : {o.from_station, o.to_station}) {
    if (end && !std::isfinite(*end)) return "station not a finite number";
  }
  if (o.from_station && o.to_station && *o.from_station > *o.to_station) {
    return "station range out of order";
  }
  if (o.pages && !chooses_pages) return "pages chosen for an output without pages";
  if ((o.from_station || o.to_station) && !chooses_stations) {
    return "stations chosen for an output without stations";
  }
  if (o.pages && (o.from_station || o.to_station)) return "pages and stations together";
  if (!ValidDate(o.heading_date)) return "heading date not mm dd yyyy";
  for (unsigned char c : o.project) {
    if (c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) {
      return "control character in the project";
    }
  }
  if (o.pdf_file.empty() != (o.output != BookOutput::kPdf)) return "PDF file without --pdf";
  if (o.printer.empty() != (o.output != BookOutput::kPrinter)) return "printer without --printer";
  if (o.csv_file.empty() != (o.output != BookOutput::kCsv)) return "CSV file without --csv";
  if (o.stakeout_file.empty() != (o.output != BookOutput::kStakeout)) {
    return "stake-out file without --stakeout";
  }
  if (o.stakeout_format != defaults.stakeout_format && o.output != BookOutput::kStakeout) {
    return "stake-out format without --stakeout";
  }
  if (o.paper != defaults.paper && o.output != BookOutput::kPdf) return "paper without --pdf";
  if (o.font.empty() || (o.font != defaults.font && !DrawsOnPaper(o.output))) {
    return "font without paper";
  }
  if (o.output == BookOutput::kListPrinters && !o.file.empty()) return "file with --list-printers";
  return {};
}

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "property broken: %s\n", what.c_str());
  std::abort();
}

}  // namespace
}  // namespace vantrels

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantrels;
  const std::vector<std::string> args = SplitAtNul(data, size);
  const Result<ParsedOptions> parsed = ParseBookOptions(args);
  const Result<ParsedOptions> second = ParseBookOptions(args);
  if (parsed.ok() != second.ok() || (parsed ? !(*second == *parsed)
                                            : !(second.failure() == parsed.failure()))) {
    Broken("a second reading differs");
  }
  if (!parsed) {
    if (parsed.failure().kind != FailureKind::kUsage) Broken("a failure that is not usage");
    if (!OneLineOfText(parsed.failure().message)) {
      Broken("error not one line of text: " + parsed.failure().message);
    }
    return 0;
  }
  if (parsed->request != BookRequest::kBook) return 0;
  const std::string bound = BrokenBound(parsed->options);
  if (!bound.empty()) Broken(bound);
  const Result<ParsedOptions> again = ParseBookOptions(BookArguments(parsed->options));
  if (!again) Broken("written back, refused: " + again.failure().message);
  if (again->request != BookRequest::kBook || !(again->options == parsed->options)) {
    Broken("written back, read differently");
  }
  return 0;
}
