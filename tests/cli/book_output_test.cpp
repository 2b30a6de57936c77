#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/book_options.h"
#include "cli/book_run.h"
#include "folder_flush_fault.h"
#include "layout/text_surface.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

std::string Undivided() {
  std::string text = "\"VANTREL REPORT,Test\r\nJob\r\nUNDIVIDED,Roadway 1\r\n";
  text += "10+00.00,10+00.00 R1,,,x,10+00.00 R1,,,,LtSgEOP,-12.00,100.00\r\n";
  return text;
}

// A PDF writer that writes the text pages into the output it is given, or fails as told.
class FilePlatform : public PrintPlatform {
 public:
  std::vector<std::string> PrinterNames() override { return {"PDF file"}; }
  Result<std::unique_ptr<Surface>> OpenPrinter(const BookOptions&) override {
    return std::unique_ptr<Surface>(std::make_unique<TextSurface>(96, 63));
  }
  Status WritePdf(const BookRenderer& printer, const PageSelection& selection, const BookOptions&,
                  OutputFile& output) override {
    written_to.push_back(output.temporary_path());
    TextSurface pages(96, 63);
    if (!printer.Print(pages, selection)) return Rejected("not printed");
    if (Status written = output.Write(pages.Render()); !written) return written;
    if (!incomplete.empty()) return Rejected(incomplete);
    return output.Commit();
  }
  std::vector<std::string> written_to;
  std::string incomplete;
};

BookRun BookOn(PrintPlatform& platform, const std::vector<std::string>& args) {
  return RunBook(args, &platform);
}

class BookOutputFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = FreshTestFolder("book_output");
    input_ = (dir_ / "road.csv").string();
    std::ofstream(input_, std::ios::binary) << Undivided();
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
  std::string input_;
};

TEST_F(BookOutputFile, ThePdfIsWrittenBesideTheTargetAndReplacesItWhenWhole) {
  const fs::path target = dir_ / "book.pdf";
  std::ofstream(target) << "old book";
  FilePlatform platform;
  const BookRun run = BookOn(platform, {"--date", "2026-12-07", "--pdf", target.string(), input_});
  ASSERT_EQ(run.status, kBookProduced) << run.err;
  EXPECT_EQ(run.err, "");
  // The writer never saw the target: it wrote a temporary file in the same folder.
  ASSERT_EQ(platform.written_to.size(), 1u);
  EXPECT_NE(platform.written_to[0], target.string());
  EXPECT_EQ(fs::path(platform.written_to[0]).parent_path(), dir_);
  std::ostringstream text, ignored;
  ASSERT_EQ(BookMain({"--date", "2026-12-07", "--text", input_}, text, ignored), kBookProduced);
  EXPECT_EQ(ReadAll(target), text.str());
  EXPECT_THAT(Names(dir_), ElementsAre("book.pdf", "road.csv"));
}

TEST_F(BookOutputFile, AnIncompletePdfLeavesTheOldFile) {
  const fs::path target = dir_ / "book.pdf";
  std::ofstream(target) << "old book";
  FilePlatform platform;
  platform.incomplete = "the PDF ends early";
  const BookRun run = BookOn(platform, {"--pdf", target.string(), input_});
  EXPECT_EQ(run.status, kBookRejected);
  EXPECT_EQ(run.err, "vantrels-book: cannot write " + target.string() + ": the PDF ends early\n");
  EXPECT_EQ(ReadAll(target), "old book");
  EXPECT_THAT(Names(dir_), ElementsAre("book.pdf", "road.csv"));
}

TEST_F(BookOutputFile, FileNamesInMessagesAreEscaped) {
  // A newline would split the message; ESC would reach the terminal.
  const std::string folder = (dir_ / "a\nb\x1b[31m\xff").string();
  const std::string shown = (dir_ / "a\\nb\\x1b[31m\\xff").string();
  const BookRun missing = RunBook({"--csv", folder + "/book.csv", input_});
  EXPECT_EQ(missing.status, kBookRejected);
  EXPECT_EQ(missing.err,
            "vantrels-book: cannot write " + shown + "/book.csv: No such file or directory\n");

  fs::create_directories(folder);
  const std::string input = folder + "/road.csv";
  fs::copy_file(input_, input);
  const BookRun same = RunBook({"--csv", input, input});
  EXPECT_EQ(same.status, kBookUsage);
  EXPECT_THAT(same.err, ::testing::StartsWith("vantrels-book: the output " + shown +
                                              "/road.csv is the input file " + shown +
                                              "/road.csv: choose another output file\n"));
}

TEST_F(BookOutputFile, AFolderThatCannotBeFlushedIsReportedWithTheFileInPlace) {
  const fs::path target = dir_ / "points.csv";
  std::ofstream(target) << "old points";
  FailFolderFlushes(EIO);
  const BookRun run = RunBook({"--csv", target.string(), input_});
  FailFolderFlushes(0);
  EXPECT_EQ(run.status, kBookRejected);
  EXPECT_EQ(run.err, "vantrels-book: " + target.string() +
                         " is written but not yet safe on disk: its folder could not be flushed: "
                         "Input/output error\n");
  EXPECT_NE(ReadAll(target), "old points");
  EXPECT_THAT(Names(dir_), ElementsAre("points.csv", "road.csv"));
}

// The refusals (input as output, FIFO, directory, missing or read-only folder, full disk, lost
// standard output) are driven through the built program by output_safety_test.sh.

}  // namespace
}  // namespace vantrels
