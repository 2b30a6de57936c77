#include "cli/book_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vantrels {
namespace {

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

TEST(BookOptions, ValidCommandLines) {
  BookOptions all = Options(BookOutput::kText, "road.csv");
  all.project = "EXAMPLE-1";
  all.heading_date = "12 07 2026";
  all.columns = 93.5;
  all.lines = 66.2;
  all.side = BookSide::kRight;
  all.pages = PageRange{2, 4};
  BookOptions leap = Options(BookOutput::kText, "a.CSV");
  leap.heading_date = "02 29 2028";
  BookOptions blank_project = Options(BookOutput::kStations, "-odd.csv");
  blank_project.side = BookSide::kLeft;
  BookOptions whole = Options(BookOutput::kText, "b.csv");
  whole.columns = 80;
  whole.lines = .5;
  whole.pages = PageRange{3, 3};

  const ValidCase cases[] = {
      {{"--text", "road.csv"}, Options(BookOutput::kText, "road.csv")},
      {{"road.csv", "--stations"}, Options(BookOutput::kStations, "road.csv")},
      {{"--date", "2026-12-07", "--project", "EXAMPLE-1", "--cells", "93.5x66.2", "--side", "right",
        "--pages", "2-4", "--text", "road.csv"},
       all},
      {{"--date=2028-02-29", "--text", "a.CSV"}, leap},
      {{"--project=", "--side", "left", "--stations", "--", "-odd.csv"}, blank_project},
      {{"--cells", "80X.5", "--pages=3-3", "--text", "--text", "b.csv"}, whole},
  };
  for (const ValidCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ParsedOptions parsed = ParseBookOptions(c.args);
    ASSERT_EQ(parsed.error, "");
    EXPECT_FALSE(parsed.help);
    const BookOptions& o = parsed.options;
    EXPECT_EQ(o.project, c.expected.project);
    EXPECT_EQ(o.heading_date, c.expected.heading_date);
    EXPECT_EQ(o.columns, c.expected.columns);
    EXPECT_EQ(o.lines, c.expected.lines);
    EXPECT_EQ(o.side, c.expected.side);
    ASSERT_EQ(o.pages.has_value(), c.expected.pages.has_value());
    if (o.pages) {
      EXPECT_EQ(o.pages->from, c.expected.pages->from);
      EXPECT_EQ(o.pages->to, c.expected.pages->to);
    }
    EXPECT_EQ(o.output, c.expected.output);
    EXPECT_EQ(o.file, c.expected.file);
  }
}

TEST(BookOptions, DefaultsAreALetterPageTodayAndNoProject) {
  const ParsedOptions parsed = ParseBookOptions({"--text", "r.csv"});
  EXPECT_EQ(parsed.options.columns, 96);
  EXPECT_EQ(parsed.options.lines, 63);
  EXPECT_EQ(parsed.options.heading_date, "");
  EXPECT_EQ(parsed.options.project, "");
  EXPECT_EQ(parsed.options.side, BookSide::kBoth);
  EXPECT_FALSE(parsed.options.pages.has_value());
  EXPECT_EQ(parsed.options.paper, BookPaper::kLetter);
  EXPECT_EQ(parsed.options.font, "Courier New");
}

TEST(BookOptions, PaperOutputs) {
  const ParsedOptions pdf = ParseBookOptions({"--paper", "A4", "--font", "Lucida Console", "--side",
                                              "left", "--pdf", "out.pdf", "road.csv"});
  ASSERT_EQ(pdf.error, "");
  EXPECT_EQ(pdf.options.output, BookOutput::kPdf);
  EXPECT_EQ(pdf.options.pdf_file, "out.pdf");
  EXPECT_EQ(pdf.options.paper, BookPaper::kA4);
  EXPECT_EQ(pdf.options.font, "Lucida Console");
  EXPECT_EQ(pdf.options.side, BookSide::kLeft);
  EXPECT_EQ(pdf.options.file, "road.csv");
  EXPECT_EQ(ParseBookOptions({"--paper=legal", "--pdf=o.pdf", "r.csv"}).options.paper,
            BookPaper::kLegal);

  const ParsedOptions printer = ParseBookOptions({"--printer", "Office Laser", "r.csv"});
  ASSERT_EQ(printer.error, "");
  EXPECT_EQ(printer.options.output, BookOutput::kPrinter);
  EXPECT_EQ(printer.options.printer, "Office Laser");

  const ParsedOptions list = ParseBookOptions({"--list-printers"});
  ASSERT_EQ(list.error, "");
  EXPECT_EQ(list.options.output, BookOutput::kListPrinters);
}

TEST(BookOptions, UsageErrors) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus", "--text", "r.csv"}, "unknown option --bogus"},
      {{"-t", "r.csv"}, "unknown option -t"},
      {{"--text"}, "no criteria file given"},
      {{"r.csv"}, "one of --text, --stations, --pdf, --printer or --list-printers is needed"},
      {{}, "one of --text, --stations, --pdf, --printer or --list-printers is needed"},
      {{"--text", "--pdf", "o.pdf", "r.csv"}, "--text and --pdf cannot be combined"},
      {{"--printer", "P", "--pdf", "o.pdf", "r.csv"}, "--printer and --pdf cannot be combined"},
      {{"--list-printers", "--stations"}, "--list-printers and --stations cannot be combined"},
      {{"--list-printers", "r.csv"}, "--list-printers takes no criteria file"},
      {{"--pdf", "o.pdf"}, "no criteria file given"},
      {{"--pdf", "", "r.csv"}, "--pdf needs a file name"},
      {{"--printer=", "r.csv"}, "--printer needs a printer name"},
      {{"--font", "", "--pdf", "o.pdf", "r.csv"}, "--font needs a font name"},
      {{"--paper", "a5", "--pdf", "o.pdf", "r.csv"},
       "--paper needs letter, a4 or legal, not \"a5\""},
      {{"--paper", "a4", "--text", "r.csv"}, "--paper applies only to --pdf"},
      {{"--paper", "a4", "--printer", "P", "r.csv"}, "--paper applies only to --pdf"},
      {{"--font", "Lucida Console", "--stations", "r.csv"},
       "--font applies only to --pdf and --printer"},
      {{"--cells", "96x63", "--pdf", "o.pdf", "r.csv"},
       "--cells applies only to --text and --stations"},
      {{"--cells", "96x63", "--list-printers"}, "--cells applies only to --text and --stations"},
      {{"--text", "a.csv", "b.csv"}, "only one criteria file can be given"},
      {{"--text", "--stations", "r.csv"}, "--text and --stations cannot be combined"},
      {{"--text=yes", "r.csv"}, "--text takes no value"},
      {{"--text", "r.csv", "--project"}, "--project needs a value"},
      {{"--date", "2026-13-01", "--text", "r.csv"},
       "--date needs a date YYYY-MM-DD, not \"2026-13-01\""},
      {{"--date", "2027-02-29", "--text", "r.csv"},
       "--date needs a date YYYY-MM-DD, not \"2027-02-29\""},
      {{"--date", "12/07/2026", "--text", "r.csv"},
       "--date needs a date YYYY-MM-DD, not \"12/07/2026\""},
      {{"--side", "both", "--text", "r.csv"}, "--side needs left or right, not \"both\""},
      {{"--side", "Left", "--text", "r.csv"}, "--side needs left or right, not \"Left\""},
  };
  for (const auto& [args, error] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const ParsedOptions parsed = ParseBookOptions(args);
    EXPECT_EQ(parsed.error, error);
    EXPECT_FALSE(parsed.help);
  }
}

TEST(BookOptions, MalformedCellsAndPagesAreUsageErrors) {
  for (const char* cells : {"96", "96x", "x63", "0x63", "96x0", "-96x63", "96x63x2", "1e2x63",
                            "inf x63", "nanx63", "96.x63.", "..x63", "32768x63", "96 x 63"}) {
    EXPECT_THAT(ParseBookOptions({"--cells", cells, "--text", "r.csv"}).error,
                ::testing::StartsWith("--cells needs COLSxLINES"))
        << cells;
  }
  EXPECT_EQ(ParseBookOptions({"--cells", "32767x105.5", "--text", "r.csv"}).error, "");
  for (const char* pages : {"3", "0-2", "3-2", "-2", "2-", "a-b", "1-2-3", "+1-2", "1 -2"}) {
    EXPECT_THAT(ParseBookOptions({"--pages", pages, "--text", "r.csv"}).error,
                ::testing::StartsWith("--pages needs FROM-TO"))
        << pages;
  }
}

TEST(BookOptions, HelpWinsOverEverythingAfterIt) {
  EXPECT_TRUE(ParseBookOptions({"--help"}).help);
  EXPECT_TRUE(ParseBookOptions({"--text", "--help", "--bogus"}).help);
  EXPECT_FALSE(ParseBookOptions({"--bogus", "--help"}).help);
  EXPECT_FALSE(ParseBookOptions({"--text", "--", "--help"}).help);
}

}  // namespace
}  // namespace vantrels
