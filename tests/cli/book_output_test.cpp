#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/book_options.h"
#include "cli/book_render.h"
#include "layout/text_surface.h"

namespace vantrels {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

struct BookRun {
  int status;
  std::string out;
  std::string err;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Undivided() {
  std::string text = "\"VANTREL REPORT,Test\r\nJob\r\nUNDIVIDED,Roadway 1\r\n";
  text += "10+00.00,10+00.00 R1,,,x,10+00.00 R1,,,,LtSgEOP,-12.00,100.00\r\n";
  return text;
}

// A printer that writes its text pages to the file it is given by name, as a PDF engine does.
class FilePaper : public TextSurface {
 public:
  explicit FilePaper(std::string path) : TextSurface(96, 63), path_(std::move(path)) {}
  void EndDoc() override {
    TextSurface::EndDoc();
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << Render();
  }

 private:
  std::string path_;
};

class FilePlatform : public PrintPlatform {
 public:
  std::vector<std::string> PrinterNames() override { return {"PDF file"}; }
  std::unique_ptr<Surface> OpenPrinter(const BookOptions& options, std::string&) override {
    opened.push_back(options.pdf_file);
    return std::make_unique<FilePaper>(options.pdf_file);
  }
  std::string IncompleteFile(const std::string& path) override {
    checked.push_back(path);
    return incomplete;
  }
  std::vector<std::string> opened;
  std::vector<std::string> checked;
  std::string incomplete;
};

BookRun BookOn(PrintPlatform& platform, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = BookMain(args, out, err, &platform);
  return {status, out.str(), err.str()};
}

class BookOutputFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::path(::testing::TempDir()) /
           ("book_output_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
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
  // The printer never saw the target: it wrote a temporary file in the same folder.
  ASSERT_EQ(platform.opened.size(), 1u);
  EXPECT_NE(platform.opened[0], target.string());
  EXPECT_EQ(fs::path(platform.opened[0]).parent_path(), dir_);
  EXPECT_THAT(platform.checked, ElementsAre(platform.opened[0]));
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

// The refusals (input as output, FIFO, directory, missing or read-only folder, full disk, lost
// standard output) are driven through the built program by output_safety_test.sh.

}  // namespace
}  // namespace vantrels
