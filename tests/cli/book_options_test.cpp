#include "cli/book_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/book_arguments.h"

namespace vantrels {
namespace {

using ::testing::StartsWith;

// The usage error of a command line; empty when it is valid.
std::string ErrorOf(const Result<ParsedOptions>& parsed) {
  return parsed ? "" : parsed.failure().message;
}
std::string ErrorOf(const std::vector<std::string>& args) {
  const Result<ParsedOptions> parsed = ParseBookOptions(args);
  if (!parsed) {
    EXPECT_EQ(parsed.failure().kind, FailureKind::kUsage);
  }
  return ErrorOf(parsed);
}

BookRequest RequestOf(const std::vector<std::string>& args) {
  const Result<ParsedOptions> parsed = ParseBookOptions(args);
  return parsed ? parsed->request : BookRequest::kBook;
}

struct ValidCase {
  std::vector<std::string> args;
  BookOptions expected;
};

BookOptions Options(BookOutput output, const std::string& file) {
  BookOptions o;
  o.output = output;
  o.file = file;
  return o;
}

std::vector<ValidCase> ValidCases() {
  BookOptions all = Options(BookOutput::kText, "road.csv");
  all.project = "EXAMPLE-1";
  all.heading_date = "12 07 2026";
  all.columns = 93.5;
  all.lines = 66.2;
  all.side = Side::Right;
  all.pages = PageRange{2, 4};
  BookOptions leap = Options(BookOutput::kText, "a.CSV");
  leap.heading_date = "02 29 2028";
  BookOptions blank_project = Options(BookOutput::kStations, "-odd.csv");
  blank_project.side = Side::Left;
  BookOptions whole = Options(BookOutput::kText, "b.csv");
  whole.columns = 80;
  whole.lines = .5;
  whole.pages = PageRange{3, 3};
  BookOptions range = Options(BookOutput::kPdf, "d.csv");
  range.pdf_file = "o.pdf";
  range.from_station = 239000;
  range.to_station = 239550.25;
  BookOptions open_end = Options(BookOutput::kStations, "d.csv");
  open_end.to_station = 239000;
  BookOptions csv = Options(BookOutput::kCsv, "d.csv");
  csv.csv_file = "-";
  csv.side = Side::Right;
  // Windows-1252: ü 0xFC, ß 0xDF, € 0x80, Œ 0x8C.
  BookOptions heading = Options(BookOutput::kText, "r.csv");
  heading.project =
      "M\xFCller-Stra\xDF"
      "e \x80 \x8C";
  // File names are passed on byte for byte, UTF-8 or not.
  BookOptions raw_names = Options(BookOutput::kPdf, "\xE9t\xE9.csv");
  raw_names.pdf_file = "o\xFF\xFE.pdf";
  BookOptions raw_csv = Options(BookOutput::kCsv, "-");
  raw_csv.csv_file = "a\nb\xFF.csv";
  BookOptions stakeout = Options(BookOutput::kStakeout, "m.csv");
  stakeout.stakeout_file = "-";
  stakeout.stakeout_format = StakeoutFormat::kCivil3d;
  stakeout.side = Side::Left;
  stakeout.from_station = -90;
  stakeout.to_station = 1234.567;
  BookOptions tbc = Options(BookOutput::kStakeout, "f.csv");
  tbc.stakeout_file = "s.csv";
  tbc.from_station = 240;

  return {
      {{"--text", "road.csv"}, Options(BookOutput::kText, "road.csv")},
      {{"road.csv", "--stations"}, Options(BookOutput::kStations, "road.csv")},
      {{"--date", "2026-12-07", "--project", "EXAMPLE-1", "--cells", "93.5x66.2", "--side", "right",
        "--pages", "2-4", "--text", "road.csv"},
       all},
      {{"--date=2028-02-29", "--text", "a.CSV"}, leap},
      {{"--project=", "--side", "left", "--stations", "--", "-odd.csv"}, blank_project},
      {{"--cells", "80X.5", "--pages=3-3", "--text", "b.csv"}, whole},
      {{"--from-station", "2390+00", "--to-station=2395+50.25", "--pdf", "o.pdf", "d.csv"}, range},
      {{"--to-station", "239000", "--stations", "d.csv"}, open_end},
      {{"--side", "right", "--csv", "-", "d.csv"}, csv},
      {{"--project",
        "M\xC3\xBCller-Stra\xC3\x9F"
        "e \xE2\x82\xAC \xC5\x92",
        "--text", "r.csv"},
       heading},
      {{"--pdf", "o\xFF\xFE.pdf", "\xE9t\xE9.csv"}, raw_names},
      {{"--csv", "a\nb\xFF.csv", "-"}, raw_csv},
      {{"--stakeout", "-", "--stakeout-format=civil3d", "--side", "left", "--from-station",
        "-0+090.000", "--to-station", "1+234.567", "m.csv"},
       stakeout},
      {{"--from-station", "0+240", "--stakeout-format", "tbc", "--stakeout", "s.csv", "f.csv"}, tbc},
  };
}

TEST(BookOptions, ValidCommandLines) {
  for (const ValidCase& c : ValidCases()) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const Result<ParsedOptions> parsed = ParseBookOptions(c.args);
    ASSERT_EQ(ErrorOf(parsed), "");
    EXPECT_EQ(parsed->request, BookRequest::kBook);
    EXPECT_EQ(parsed->options, c.expected);
  }
}

TEST(BookOptions, OptionsWrittenBackReadTheSame) {
  for (const ValidCase& c : ValidCases()) {
    const std::vector<std::string> args = BookArguments(c.expected);
    SCOPED_TRACE(::testing::PrintToString(args));
    const Result<ParsedOptions> again = ParseBookOptions(args);
    ASSERT_EQ(ErrorOf(again), "");
    EXPECT_EQ(again->options, c.expected);
  }
}

TEST(BookOptions, DefaultsAreALetterPageTodayAndNoProject) {
  const Result<ParsedOptions> parsed = ParseBookOptions({"--text", "r.csv"});
  EXPECT_EQ(parsed->options.columns, 96);
  EXPECT_EQ(parsed->options.lines, 63);
  EXPECT_EQ(parsed->options.heading_date, "");
  EXPECT_EQ(parsed->options.project, "");
  EXPECT_FALSE(parsed->options.side.has_value());
  EXPECT_FALSE(parsed->options.pages.has_value());
  EXPECT_FALSE(parsed->options.from_station.has_value());
  EXPECT_FALSE(parsed->options.to_station.has_value());
  EXPECT_EQ(parsed->options.paper, Paper::Letter);
  EXPECT_EQ(parsed->options.font, "Courier New");
}

TEST(BookOptions, PaperOutputs) {
  const Result<ParsedOptions> pdf = ParseBookOptions({"--paper", "A4", "--font", "Lucida Console", "--side",
                                              "left", "--pdf", "out.pdf", "road.csv"});
  ASSERT_EQ(ErrorOf(pdf), "");
  EXPECT_EQ(pdf->options.output, BookOutput::kPdf);
  EXPECT_EQ(pdf->options.pdf_file, "out.pdf");
  EXPECT_EQ(pdf->options.paper, Paper::A4);
  EXPECT_EQ(pdf->options.font, "Lucida Console");
  EXPECT_EQ(pdf->options.side, Side::Left);
  EXPECT_EQ(pdf->options.file, "road.csv");
  EXPECT_EQ(ParseBookOptions({"--paper=legal", "--pdf=o.pdf", "r.csv"})->options.paper,
            Paper::Legal);

  const Result<ParsedOptions> printer = ParseBookOptions({"--printer", "Office Laser", "r.csv"});
  ASSERT_EQ(ErrorOf(printer), "");
  EXPECT_EQ(printer->options.output, BookOutput::kPrinter);
  EXPECT_EQ(printer->options.printer, "Office Laser");

  const Result<ParsedOptions> list = ParseBookOptions({"--list-printers"});
  ASSERT_EQ(ErrorOf(list), "");
  EXPECT_EQ(list->options.output, BookOutput::kListPrinters);
}

TEST(BookOptions, UsageErrors) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus", "--text", "r.csv"}, "unknown option --bogus"},
      {{"-t", "r.csv"}, "unknown option -t"},
      {{"--proj", "x", "--text", "r.csv"}, "unknown option --proj"},
      {{"--text", "-odd.csv"}, "unknown option -odd.csv"},
      {{"--bo\ngus=1", "--text", "r.csv"}, "unknown option --bo\\ngus"},
      {{"--text"}, "no criteria file given"},
      {{"r.csv"},
       "one of --text, --stations, --pdf, --printer, --csv, --stakeout or --list-printers is "
       "needed"},
      {{}, "one of --text, --stations, --pdf, --printer, --csv, --stakeout or --list-printers is "
       "needed"},
      {{"--text", "--pdf", "o.pdf", "r.csv"}, "--text and --pdf cannot be combined"},
      {{"--printer", "P", "--pdf", "o.pdf", "r.csv"}, "--printer and --pdf cannot be combined"},
      {{"--list-printers", "--stations"}, "--list-printers and --stations cannot be combined"},
      {{"--csv", "o.csv", "--text", "r.csv"}, "--csv and --text cannot be combined"},
      {{"--list-printers", "r.csv"}, "--list-printers takes no criteria file"},
      {{"--pdf", "o.pdf"}, "no criteria file given"},
      {{"--pdf", "", "r.csv"}, "--pdf needs a file name"},
      {{"--csv=", "r.csv"}, "--csv needs a file name"},
      {{"--printer=", "r.csv"}, "--printer needs a printer name"},
      {{"--font", "", "--pdf", "o.pdf", "r.csv"}, "--font needs a font name"},
      {{"--paper", "a5", "--pdf", "o.pdf", "r.csv"},
       "--paper needs letter, a4 or legal, not \"a5\""},
      {{"--paper", "a4", "--text", "r.csv"}, "--paper applies only to --pdf"},
      {{"--paper", "a4", "--printer", "P", "r.csv"}, "--paper applies only to --pdf"},
      {{"--font", "Lucida Console", "--stations", "r.csv"},
       "--font applies only to --pdf and --printer"},
      {{"--font", "Lucida Console", "--csv", "o.csv", "r.csv"},
       "--font applies only to --pdf and --printer"},
      {{"--cells", "96x63", "--pdf", "o.pdf", "r.csv"},
       "--cells applies only to --text and --stations"},
      {{"--cells", "96x63", "--list-printers"}, "--cells applies only to --text and --stations"},
      {{"--pages", "1-2", "--csv", "o.csv", "r.csv"},
       "--pages applies only to --text, --stations, --pdf and --printer"},
      {{"--from-station", "1+00", "--csv", "o.csv", "r.csv"},
       "--from-station applies only to --text, --stations, --pdf, --printer and --stakeout"},
      {{"--to-station", "1+00", "--list-printers"},
       "--to-station applies only to --text, --stations, --pdf, --printer and --stakeout"},
      {{"--pages", "1-2", "--to-station", "1+00", "--text", "r.csv"},
       "--pages and --to-station cannot be combined"},
      {{"--from-station", "2395+00", "--to-station", "2390+00.00", "--text", "r.csv"},
       "--from-station 2395+00 comes after --to-station 2390+00.00"},
      {{"--from-station", "abc", "--text", "r.csv"},
       "--from-station needs a station such as 2390+00, 1+234.567 or 239000, not \"abc\""},
      {{"--to-station=23+", "--text", "r.csv"},
       "--to-station needs a station such as 2390+00, 1+234.567 or 239000, not \"23+\""},
      {{"--text", "a.csv", "b.csv"}, "only one criteria file can be given"},
      {{"--text", "--stations", "r.csv"}, "--text and --stations cannot be combined"},
      {{"--text=yes", "r.csv"}, "--text takes no value"},
      {{"--help=1"}, "--help takes no value"},
      {{"--text", "r.csv", "--project"}, "--project needs a value"},
      {{"--text", "r.csv", "--csv"}, "--csv needs a value"},
      {{"--date", "2026-13-01", "--text", "r.csv"},
       "--date needs a date YYYY-MM-DD, not \"2026-13-01\""},
      {{"--date", "2027-02-29", "--text", "r.csv"},
       "--date needs a date YYYY-MM-DD, not \"2027-02-29\""},
      {{"--date", "12/07/2026", "--text", "r.csv"},
       "--date needs a date YYYY-MM-DD, not \"12/07/2026\""},
      {{"--side", "both", "--text", "r.csv"}, "--side needs left or right, not \"both\""},
      {{"--side", "Left", "--text", "r.csv"}, "--side needs left or right, not \"Left\""},
      // getopt_long would take an abbreviation or a start shared by several options.
      {{"--te", "r.csv"}, "unknown option --te"},
      {{"--tex=1", "r.csv"}, "unknown option --tex"},
      {{"--pa", "a4", "--pdf", "o.pdf", "r.csv"}, "unknown option --pa"},
      {{"--stakeout", "", "r.csv"}, "--stakeout needs a file name"},
      {{"--stakeout", "o.csv", "--csv", "p.csv", "r.csv"}, "--stakeout and --csv cannot be combined"},
      {{"--stakeout-format", "trimble", "--stakeout", "o.csv", "r.csv"},
       "--stakeout-format needs tbc or civil3d, not \"trimble\""},
      {{"--stakeout-format", "tbc", "--csv", "o.csv", "r.csv"},
       "--stakeout-format applies only to --stakeout"},
      {{"--pages", "1-2", "--stakeout", "o.csv", "r.csv"},
       "--pages applies only to --text, --stations, --pdf and --printer"},
      {{"--cells", "9x9", "--stakeout", "o.csv", "r.csv"},
       "--cells applies only to --text and --stations"},
  };
  for (const auto& [args, error] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_EQ(ErrorOf(args), error);
  }
}

TEST(BookOptions, ARepeatedOptionIsAUsageErrorNotLastOneWins) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--pdf", "a.pdf", "--pdf", "b.pdf", "r.csv"}, "--pdf can be given only once"},
      {{"--pdf=a.pdf", "--pdf=a.pdf", "r.csv"}, "--pdf can be given only once"},
      {{"--pdf", "a.pdf", "r.csv", "--pdf"}, "--pdf can be given only once"},
      {{"--text", "--text", "r.csv"}, "--text can be given only once"},
      {{"--project", "A", "--text", "--project=B", "r.csv"}, "--project can be given only once"},
      {{"--cells", "80x50", "--cells", "90x60", "--text", "r.csv"},
       "--cells can be given only once"},
      {{"--from-station", "1+00", "--from-station", "2+00", "--text", "r.csv"},
       "--from-station can be given only once"},
  };
  for (const auto& [args, error] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_EQ(ErrorOf(args), error);
  }
}

TEST(BookOptions, TheProjectIsUtf8TextThatWindows1252CanHold) {
  const std::pair<std::string, std::string> cases[] = {
      {"M\xC3\xBCller-Stra\xC3\x9F"
       "e \xE2\x84\x96"
       "5",
       "--project cannot hold \"\xE2\x84\x96\" (U+2116): the page heading is Windows-1252 text"},
      {"A\xF0\x9F\x98\x80",
       "--project cannot hold \"\xF0\x9F\x98\x80\" (U+1F600): the page "
       "heading is Windows-1252 text"},
      {"a\nb", "--project needs text without control characters, not \"a\\nb\""},
      {"a\tb", "--project needs text without control characters, not \"a\\tb\""},
      {"a\x7F", "--project needs text without control characters, not \"a\\x7f\""},
      {"a\xC2\x85", "--project needs text without control characters, not \"a\\u0085\""},
      {"a\xE2\x80\xA8", "--project needs text without control characters, not \"a\\u2028\""},
      // Windows-1252 bytes typed in a Latin-1 terminal are not UTF-8.
      {"M\xFCller", "--project needs UTF-8 text, not \"M\\xfcller\""},
      {"\xC0\x80", "--project needs UTF-8 text, not \"\\xc0\\x80\""},
      {"\xED\xA0\x80", "--project needs UTF-8 text, not \"\\xed\\xa0\\x80\""},
  };
  for (const auto& [project, error] : cases) {
    SCOPED_TRACE(project);
    EXPECT_EQ(ErrorOf({"--project", project, "--text", "r.csv"}), error);
  }
}

TEST(BookOptions, RejectedValuesAreShownEscapedOnOneLine) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--side", "le\nft"}, "--side needs left or right, not \"le\\nft\""},
      {{"--paper", "\x1B[31ma4"}, "--paper needs letter, a4 or legal, not \"\\x1b[31ma4\""},
      {{"--pages", "1-\"2\\"}, "--pages needs FROM-TO with 1 <= FROM <= TO, not \"1-\\\"2\\\\\""},
      {{"--cells", "96x63\xFF"},
       "--cells needs COLSxLINES with numbers above 0 up to 32767, not \"96x63\\xff\""},
      {{"--to-station", "2390+00\t"},
       "--to-station needs a station such as 2390+00, 1+234.567 or 239000, not "
       "\"2390+00\\t\""},
  };
  for (auto [args, error] : cases) {
    SCOPED_TRACE(error);
    args.insert(args.end(), {"--text", "r.csv"});
    EXPECT_EQ(ErrorOf(args), error);
  }
}

TEST(BookOptions, MalformedCellsAndPagesAreUsageErrors) {
  for (const char* cells : {"96",      "96x",      "x63",         "0x63",    "96x0",    "-96x63",
                            "96x63x2", "1e2x63",   "1.8e-99x63",  "0x1Ax63", "96x0x3F", "inf x63",
                            "infx63",  "nanx63",   "NaNx63",      "+96x63",  "96,5x63", "96.x63.",
                            "..x63",   "32768x63", "32767.01x63", "96 x 63"}) {
    EXPECT_THAT(ErrorOf({"--cells", cells, "--text", "r.csv"}),
                StartsWith("--cells needs COLSxLINES"))
        << cells;
  }
  EXPECT_EQ(ErrorOf({"--cells", "32767x105.5", "--text", "r.csv"}), "");
  for (const char* pages : {"3", "0-2", "3-2", "-2", "2-", "a-b", "1-2-3", "+1-2", "1 -2"}) {
    EXPECT_THAT(ErrorOf({"--pages", pages, "--text", "r.csv"}),
                StartsWith("--pages needs FROM-TO"))
        << pages;
  }
}

TEST(BookOptions, TheFirstFaultyArgumentGivesTheError) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--date", "bad", "--bogus", "--text", "r.csv"},
       "--date needs a date YYYY-MM-DD, not \"bad\""},
      {{"--bogus", "--date", "bad", "--text", "r.csv"}, "unknown option --bogus"},
      {{"--text=1", "--bogus", "r.csv"}, "--text takes no value"},
      {{"--side", "up", "--text", "--text", "--csv"}, "--side needs left or right, not \"up\""},
      {{"--text", "--stations", "--date", "bad"}, "--text and --stations cannot be combined"},
      // An option's value is whatever follows it, even an option name or "--".
      {{"--project", "--bogus", "--side", "--", "r.csv"}, "--side needs left or right, not \"--\""},
  };
  for (const auto& [args, error] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_EQ(ErrorOf(args), error);
  }
}

TEST(BookOptions, HelpWinsOverEverythingAfterIt) {
  const std::pair<std::vector<std::string>, BookRequest> cases[] = {
      {{"--help"}, BookRequest::kHelp},
      {{"--text", "--help", "--bogus"}, BookRequest::kHelp},
      {{"--help", "--date", "bad", "--help"}, BookRequest::kHelp},
      {{"--version", "--help"}, BookRequest::kVersion},
      {{"--text", "--version", "--pdf"}, BookRequest::kVersion},
      {{"--bogus", "--help"}, BookRequest::kBook},
      {{"--date", "bad", "--help"}, BookRequest::kBook},
      {{"--text", "--text", "--help"}, BookRequest::kBook},
      {{"--text", "--", "--help"}, BookRequest::kBook},
  };
  for (const auto& [args, request] : cases) {
    EXPECT_EQ(RequestOf(args), request) << ::testing::PrintToString(args);
  }
  const Result<ParsedOptions> value =
      ParseBookOptions({"--font", "--help", "--pdf", "o.pdf", "r.csv"});
  ASSERT_EQ(ErrorOf(value), "");
  EXPECT_EQ(value->request, BookRequest::kBook);
  EXPECT_EQ(value->options.font, "--help");
}

}  // namespace
}  // namespace vantrels
