#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "cli/book_options.h"
#include "cli/book_run.h"
#include "layout/text_surface.h"
#include "model/version.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

BookRun Book(const std::vector<std::string>& args) {
  return RunBook(args);
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
  const std::string path = TestTempPath("cli", name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string Row(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t n = 0; n < fields.size(); ++n) line += (n ? "," : "") + fields[n];
  return line + "\r\n";
}

// An undivided roadway of `stations` one-point stations "10+0n.00 R1".
std::string Undivided(int stations) {
  std::string text = "\"VANTREL REPORT,Test\r\nJob\r\nUNDIVIDED,Roadway 1\r\n";
  for (int i = 0; i < stations; ++i) {
    const std::string sta = "10+" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".00";
    const std::string region = sta + " R1";
    text += Row({sta, region, "", "", "x", region, "", "", "", "LtSgEOP", "-12.00", "100.00"});
    if (i + 1 < stations) text += ",,,,,,,,,,,\r\n";
  }
  return text;
}

// A divided roadway: `left` and `right` one-point stations on each side of `blocks` blocks.
std::string Divided(int blocks, const std::string& left_side_word = "LEFT") {
  std::string text =
      "\"VANTREL REPORT,Test\r\nJob\r\nDIVIDED,Roadway 2\r\nStation,Region,,,,,,,Side\r\n";
  for (int i = 0; i < blocks; ++i) {
    const std::string sta = "20+" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".00";
    const std::string region = sta + " R2";
    text += Row({sta, region, "", "", "LEFT", region, "", "", left_side_word, "LtSgEOP", "-12.00",
                 "100.00"});
    text += ",,,,,,,,,,,,,,,\r\n";
    text += Row({sta, region, "", "", "x", region, "", "", "RIGHT", "RtSgEOP", "12.00", "100.00"});
    text += ",,,,,,,,,,,,,,,\r\n";
  }
  return text;
}

TEST(BookMain, HelpGoesToStdoutWithStatus0) {
  const BookRun run = Book({"--help"});
  EXPECT_EQ(run.status, kBookProduced);
  EXPECT_EQ(run.out, BookUsage());
  EXPECT_EQ(run.err, "");
}

TEST(BookMain, VersionGoesToStdoutWithStatus0) {
  const BookRun run = Book({"--text", "--version"});
  EXPECT_EQ(run.status, kBookProduced);
  EXPECT_EQ(run.out, std::string("vantrels-book ") + kVersion + "\n");
  EXPECT_EQ(run.err, "");
}

TEST(BookMain, UsageErrorsGiveStatus2TheirReasonAndAPointerToHelp) {
  const std::string road = WriteFile("usage.csv", Undivided(3));
  const std::string divided = WriteFile("usage_div.csv", Divided(3));
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus", "--text", road}, "unknown option --bogus"},
      {{"--text"}, "no criteria file given"},
      {{"--side", "left", "--text", road}, "--side applies only to a divided roadway"},
      {{"--pages", "1-1", "--text", divided}, "--pages on a divided roadway needs --side"},
      {{"--pages", "1-2", "--stations", road}, "--pages 1-2 is outside the book's pages 1 to 1"},
      {{"--side", "right", "--pages", "2-2", "--text", divided},
       "--pages 2-2 is outside the book's pages 1 to 1"},
      {{"--project", "No \xE2\x84\x96", "--text", road},
       "--project cannot hold \"\xE2\x84\x96\" (U+2116): the page heading is Windows-1252 text"},
      {{"--pdf", "a.pdf", "--pdf", "b.pdf", road}, "--pdf can be given only once"},
      {{"--side", "left", "--csv", "-", road}, "--side applies only to a divided roadway"},
      {{"--csv", road, road},
       "the output " + road + " is the input file " + road + ": choose another output file"},
  };
  for (const auto& [args, problem] : cases) {
    SCOPED_TRACE(problem);
    const BookRun run = Book(args);
    EXPECT_EQ(run.status, kBookUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "vantrels-book: " + problem + "\n" + kTryHelp);
  }
}

TEST(BookMain, ARejectedFileGivesStatus1AndItsMessage) {
  const std::string path = WriteFile("rejected.csv", "\"NOT A REPORT,x\r\n2\r\n3\r\n");
  const BookRun run = Book({"--text", path});
  EXPECT_EQ(run.status, kBookRejected);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Invalid File Type check file format\n");

  const BookRun missing = Book({"--stations", ::testing::TempDir() + "/no_such_file.csv"});
  EXPECT_EQ(missing.status, kBookRejected);
  EXPECT_EQ(missing.out, "");
  EXPECT_THAT(missing.err, StartsWith("Program Error : "));
}

TEST(BookMain, TheWrongSideStopGivesStatus3WithItsMessageFirst) {
  const std::string path = WriteFile("wrong_side.csv", Divided(2, "RIGHT"));
  const BookRun run = Book({"--text", path});
  EXPECT_EQ(run.status, kBookEnded);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(
      run.err,
      StartsWith("Error at LeftSide Station: 20+00.00 R2(LineNumber: 0) Program Exiting\n"));
}

TEST(BookMain, TextIsEveryPageOfTheGridWithAFormFeedLineAfterEach) {
  const std::string path = WriteFile("twenty.csv", Undivided(20));
  const BookRun run = Book({"--date", "2026-12-07", "--project", "P 9", "--text", path});
  ASSERT_EQ(run.status, kBookProduced) << run.err;
  EXPECT_EQ(run.err, "");
  std::istringstream in(run.out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 3u * 64u) << "63 rows and a form feed line per page";
  for (size_t page = 0; page < 3; ++page) EXPECT_EQ(lines[page * 64 + 63], "\f");
  EXPECT_EQ(lines[1],
            std::string(28, ' ') + "GEOPAK    V A N T - R E L S  BOOK     Page No.:1 of 3");
  EXPECT_EQ(lines[2], "       Project No: P 9" + std::string(49, ' ') + "Date: 12 07 2026");
  EXPECT_EQ(lines[7], "       Cross Sec. Sta.              Left Edge");
  EXPECT_EQ(lines[8], "       10+00.00 R1                  100.00 @ -12.00");
  EXPECT_EQ(lines[9], "       10+00.00");
  EXPECT_EQ(lines[64 + 7].substr(0, 22), "       Cross Sec. Sta.");
  EXPECT_EQ(lines[64 + 8].substr(0, 18), "       10+08.00 R1");
  for (const std::string& line : lines) EXPECT_TRUE(line.empty() || line.back() != ' ') << line;
}

TEST(BookMain, TheProjectIsTypedAsUtf8AndShownAsTyped) {
  const std::string path = WriteFile("project.csv", Undivided(1));
  const std::string project =
      "M\xC3\xBCller-Stra\xC3\x9F"
      "e \xE2\x82\xAC"
      "5";
  const BookRun run = Book({"--date", "2026-12-07", "--project", project, "--text", path});
  ASSERT_EQ(run.status, kBookProduced) << run.err;
  // Sixteen characters (not bytes) of project leave 36 blanks before the date.
  EXPECT_THAT(run.out, HasSubstr("\n       Project No: " + project + std::string(36, ' ') +
                                 "Date: 12 07 2026\n"));
}

TEST(BookMain, PagesPicksOneBasedPagesOfTheRoadway) {
  const std::string path = WriteFile("pages.csv", Undivided(20));
  const BookRun run = Book({"--pages", "2-3", "--text", path});
  ASSERT_EQ(run.status, kBookProduced) << run.err;
  EXPECT_THAT(Labels(run.out), ::testing::ElementsAre("Page No.:2 of 3", "Page No.:3 of 3"));
}

TEST(BookMain, CellsSetThePageGrid) {
  const std::string path = WriteFile("cells.csv", Undivided(20));
  const BookRun run = Book({"--cells", "93.5x66.2", "--text", path});
  ASSERT_EQ(run.status, kBookProduced) << run.err;
  // 66 rows and the form feed line per page; 7 stations a page on bands 10..46.
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3 * 67);
  EXPECT_THAT(Labels(run.out),
              ::testing::ElementsAre("Page No.:1 of 3", "Page No.:2 of 3", "Page No.:3 of 3"));
  EXPECT_THAT(run.out, HasSubstr("\n    Cross Sec. Sta.               Left Edge\n"));
}

TEST(BookMain, DividedTextIsLeftPagesThenRightPages) {
  const std::string path = WriteFile("divided.csv", Divided(10));
  const BookRun both = Book({"--text", path});
  ASSERT_EQ(both.status, kBookProduced) << both.err;
  EXPECT_THAT(Labels(both.out),
              ::testing::ElementsAre("(Left)Page No.:1 of 2", "(Left)Page No.:2 of 2",
                                     "(Right)Page No.:1 of 2", "(Right)Page No.:2 of 2"));

  const BookRun right = Book({"--side", "right", "--pages", "2-2", "--text", path});
  ASSERT_EQ(right.status, kBookProduced) << right.err;
  EXPECT_THAT(Labels(right.out), ::testing::ElementsAre("(Right)Page No.:2 of 2"));
}

TEST(BookMain, StationsListsEachSideWithAFormFeedLineBetween) {
  const std::string path = WriteFile("stations.csv", Divided(9));
  const BookRun run = Book({"--stations", path});
  ASSERT_EQ(run.status, kBookProduced) << run.err;
  std::string expected_side;
  for (int i = 0; i < 9; ++i) {
    expected_side +=
        std::string(i < 8 ? "1" : "2") + "            20+0" + std::to_string(i) + ".00 R2\n";
  }
  EXPECT_EQ(run.out, expected_side + "\f\n" + expected_side);

  const BookRun left = Book({"--stations", "--side", "left", "--pages", "2-2", path});
  EXPECT_EQ(left.out, "2            20+08.00 R2\n");

  const BookRun undivided = Book({"--stations", WriteFile("list.csv", Undivided(2))});
  EXPECT_EQ(undivided.out, "1            10+00.00 R1\n1            10+01.00 R1\n");
}

// A printer whose pages are a text grid of its own size; it keeps what it printed and the faces
// asked for.
class FakePaper : public TextSurface {
 public:
  FakePaper(std::string& printed, std::vector<std::string>& faces, bool fail_at_end,
            bool measurable)
      : TextSurface(93.5, 66.2),
        printed_(printed),
        faces_(faces),
        fail_at_end_(fail_at_end),
        measurable_(measurable) {}
  std::optional<CellMeasure> MeasureCells() override {
    if (!measurable_) return std::nullopt;
    return TextSurface::MeasureCells();
  }
  void SetFontName(const std::string& face) override { faces_.push_back(face); }
  Status EndDoc() override {
    if (fail_at_end_) return Rejected("Out of paper");
    Status ended = TextSurface::EndDoc();
    printed_ = Render();
    return ended;
  }

 private:
  std::string& printed_;
  std::vector<std::string>& faces_;
  bool fail_at_end_;
  bool measurable_;
};

class FakePlatform : public PrintPlatform {
 public:
  std::vector<std::string> PrinterNames() override { return {"Laser", "Laser", "PDF file"}; }
  Result<std::unique_ptr<Surface>> OpenPrinter(const BookOptions& options) override {
    ++opened;
    if (options.output == BookOutput::kPrinter && options.printer != "Laser") {
      return UsageError("no printer " + options.printer);
    }
    return std::unique_ptr<Surface>(
        std::make_unique<FakePaper>(printed, faces, fail_at_end, measurable));
  }
  Status WritePdf(const BookRenderer& printer, const PageSelection& selection, const BookOptions&,
                  OutputFile& output) override {
    FakePaper paper(printed, faces, fail_at_end, measurable);
    const auto result = printer.Print(paper, selection);
    if (!result) return result.failure();
    Status written = output.Write(printed);
    return written ? output.Commit() : written;
  }
  int opened = 0;
  std::string printed;
  std::vector<std::string> faces;
  bool fail_at_end = false;
  bool measurable = true;
};

BookRun BookOn(FakePlatform& platform, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = BookMain(args, out, err, &platform);
  return {status, out.str(), err.str()};
}

TEST(BookMain, PaperOutputsTakeThePageFromThePrinterAndTheFaceFromFont) {
  const std::string road = WriteFile("paper.csv", Undivided(20));
  FakePlatform platform;
  const BookRun run = BookOn(
      platform, {"--date", "2026-12-07", "--font", "Lucida Console", "--printer", "Laser", road});
  ASSERT_EQ(run.status, kBookProduced) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  // The printer's 93.5 x 66.2 cells, not the default 96 x 63.
  EXPECT_EQ(platform.printed,
            Book({"--date", "2026-12-07", "--cells", "93.5x66.2", "--text", road}).out);
  EXPECT_THAT(platform.faces, ::testing::Contains("Lucida Console"));
  EXPECT_THAT(platform.faces, ::testing::Each("Lucida Console"));

  FakePlatform pdf;
  ASSERT_EQ(BookOn(pdf, {"--pages", "2-2", "--pdf", WriteFile("paper.pdf", ""), road}).status,
            kBookProduced);
  EXPECT_THAT(Labels(pdf.printed), ::testing::ElementsAre("Page No.:2 of 3"));
  EXPECT_THAT(pdf.faces, ::testing::Each("Courier New"));

  // A station range chooses the pages of the printer's page: 10+07 begins its page 2 (the
  // default grid would put it on page 1).
  FakePlatform ranged;
  ASSERT_EQ(BookOn(ranged, {"--from-station", "10+07", "--to-station", "10+07.00", "--printer",
                            "Laser", road})
                .status,
            kBookProduced);
  EXPECT_THAT(Labels(ranged.printed), ::testing::ElementsAre("Page No.:2 of 3"));
  FakePlatform ranged_pdf;
  ASSERT_EQ(BookOn(ranged_pdf, {"--from-station", "10+08", "--to-station", "10+19", "--pdf",
                                WriteFile("ranged.pdf", ""), road})
                .status,
            kBookProduced);
  EXPECT_THAT(Labels(ranged_pdf.printed),
              ::testing::ElementsAre("Page No.:2 of 3", "Page No.:3 of 3"));
}

TEST(BookMain, PrinterFailures) {
  FakePlatform platform;
  // The printer is looked up before the file is read: a missing file would give status 1.
  const BookRun unknown =
      BookOn(platform, {"--printer", "Inkjet", ::testing::TempDir() + "/no_such_file.csv"});
  EXPECT_EQ(unknown.status, kBookUsage);
  EXPECT_EQ(unknown.err, "vantrels-book: no printer Inkjet\n" + kTryHelp);

  platform.fail_at_end = true;
  const BookRun failed =
      BookOn(platform, {"--printer", "Laser", WriteFile("fail.csv", Undivided(2))});
  EXPECT_EQ(failed.status, kBookRejected);
  EXPECT_EQ(failed.out, "");
  EXPECT_EQ(failed.err, "vantrels-book: cannot print on Laser: Out of paper\n");

  const BookRun pdf = BookOn(platform, {"--pdf", "out.pdf", WriteFile("fail2.csv", Undivided(2))});
  EXPECT_EQ(pdf.status, kBookRejected);
  EXPECT_EQ(pdf.err, "vantrels-book: cannot write out.pdf: Out of paper\n");

  platform.fail_at_end = false;
  platform.measurable = false;
  const BookRun unmeasured =
      BookOn(platform, {"--printer", "Laser", WriteFile("unmeasured.csv", Undivided(2))});
  EXPECT_EQ(unmeasured.status, kBookRejected);
  EXPECT_EQ(unmeasured.err,
            "vantrels-book: cannot print on Laser: the printer has no printable page\n");

  platform.measurable = true;
  const BookRun rejected = BookOn(
      platform, {"--printer", "Laser", WriteFile("bad.csv", "\"NOT A REPORT,x\r\n2\r\n3\r\n")});
  EXPECT_EQ(rejected.status, kBookRejected);
  EXPECT_EQ(rejected.err, "Invalid File Type check file format\n");
}

TEST(BookMain, ListPrintersPrintsThePlatformsListOnePerLine) {
  FakePlatform platform;
  const BookRun run = BookOn(platform, {"--list-printers"});
  EXPECT_EQ(run.status, kBookProduced);
  EXPECT_EQ(run.out, "Laser\nLaser\nPDF file\n");
  EXPECT_EQ(platform.opened, 0);
}

TEST(BookMain, WithoutAPrintPlatformOnlyTextOutputsExist) {
  const std::string road = WriteFile("core.csv", Undivided(2));
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--pdf", "o.pdf", road},
                                               std::vector<std::string>{"--printer", "Laser", road},
                                               std::vector<std::string>{"--list-printers"}}) {
    const BookRun run = Book(args);
    EXPECT_EQ(run.status, kBookUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "vantrels-book: this vantrels-book was built without printing: only --text, "
              "--stations, --csv and --stakeout are available\n" +
                  kTryHelp);
  }
}

TEST(BookMain, TextsAreWrittenAsUtf8) {
  std::string text = Undivided(1);
  const auto at = text.find("10+00.00 R1");
  text.replace(at, 11, "10+00.00 \xC9\x80");
  const BookRun run = Book({"--stations", WriteFile("cp1252.csv", text)});
  EXPECT_EQ(run.out, "1            10+00.00 \xC3\x89\xE2\x82\xAC\n");
}

}  // namespace
}  // namespace vantrels

namespace vantrels {
namespace {

TEST(UnusedLines, EachIsAWarningUpToTenThenACountAndTheBookGoesOn) {
  std::string text =
      "\"VANTREL REPORT,Test\r\nJob\r\nDIVIDED,Roadway 2\r\nStation,Region,,,,,,,Side\r\n";
  for (int i = 0; i < 12; ++i) {
    const std::string region = "20+" + std::to_string(10 + i) + ".00 R2";
    text += Row({region, region, "", "", "x", region, "", "", "left", "CL", "-12.00", "100.00"});
    text += ",,,,,,,,,,,,,,,\r\n";
    text += Row({region, region, "", "", "x", region, "", "", "RIGHT", "CL", "12.00", "100.00"});
    text += ",,,,,,,,,,,,,,,\r\n";
  }
  const std::string path = WriteFile("unused.csv", text);
  const BookRun run = Book({"--date", "2026-12-07", "--text", path});
  std::remove(path.c_str());
  EXPECT_EQ(run.status, kBookProduced);
  EXPECT_NE(run.out, "");
  std::vector<std::string> warnings;
  std::istringstream err(run.err);
  for (std::string line; std::getline(err, line);) {
    if (line.starts_with("vantrels-book: warning: ")) warnings.push_back(line);
  }
  ASSERT_EQ(warnings.size(), 11u) << run.err;
  EXPECT_EQ(warnings.front(),
            "vantrels-book: warning: line 5 not used: the side is \"left\", not \"LEFT\"");
  EXPECT_THAT(warnings.back(), ::testing::MatchesRegex(
                                   "vantrels-book: warning: [0-9]+ more lines not used"));
  // A clean file has none.
  EXPECT_THAT(Book({"--text", std::string(VANTRELS_EXAMPLES) + "/divided.csv"}).err,
              ::testing::Not(HasSubstr("warning")));
}

}  // namespace
}  // namespace vantrels
