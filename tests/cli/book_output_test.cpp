#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>

#include "cli/book_options.h"
#include "cli/book_render.h"
#include "layout/text_surface.h"

namespace vantrels {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::StartsWith;

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

BookRun BookOn(PrintPlatform& platform, const std::vector<std::string>& args,
               std::ostream* out_stream = nullptr) {
  std::ostringstream out, err;
  const int status = BookMain(args, out_stream ? *out_stream : out, err, &platform);
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

TEST_F(BookOutputFile, TheInputAsOutputIsAUsageErrorAndTheInputIsUntouched) {
  fs::create_symlink(input_, dir_ / "link.csv");
  fs::create_hard_link(input_, dir_ / "hard.csv");
  const std::string spellings[] = {input_, (dir_ / "." / "road.csv").string(),
                                   (dir_ / "link.csv").string(), (dir_ / "hard.csv").string()};
  for (const std::string& output : spellings) {
    SCOPED_TRACE(output);
    FilePlatform platform;
    const BookRun run = BookOn(platform, {"--pdf", output, input_});
    EXPECT_EQ(run.status, kBookUsage);
    EXPECT_THAT(run.err, StartsWith("vantrels-book: the output " + output + " is the input file " +
                                    input_ + ": choose another output file\nUsage:"));
    EXPECT_TRUE(platform.opened.empty());
    EXPECT_EQ(ReadAll(input_), Undivided());
  }
  EXPECT_THAT(Names(dir_), ElementsAre("hard.csv", "link.csv", "road.csv"));
}

TEST_F(BookOutputFile, AnUnwritableTargetIsRefusedBeforeTheFileIsRead) {
  ASSERT_EQ(::mkfifo((dir_ / "pipe.pdf").c_str(), 0600), 0);
  fs::create_directories(dir_ / "folder.pdf");
  const struct {
    std::string target;
    std::string reason;
  } cases[] = {
      {(dir_ / "pipe.pdf").string(), "not a regular file (a named pipe)"},
      {(dir_ / "folder.pdf").string(), "Is a directory"},
      {(dir_ / "missing" / "book.pdf").string(), "No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    FilePlatform platform;
    const BookRun run = BookOn(platform, {"--pdf", c.target, (dir_ / "no_such.csv").string()});
    EXPECT_EQ(run.status, kBookRejected);
    EXPECT_EQ(run.err, "vantrels-book: cannot write " + c.target + ": " + c.reason + "\n");
    EXPECT_TRUE(platform.opened.empty());
  }
  EXPECT_THAT(Names(dir_), ElementsAre("folder.pdf", "pipe.pdf", "road.csv"));
}

// A standard output whose every write fails as on a full disk.
class FullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override {
    errno = ENOSPC;
    return traits_type::eof();
  }
  std::streamsize xsputn(const char*, std::streamsize) override {
    errno = ENOSPC;
    return 0;
  }
  int sync() override {
    errno = ENOSPC;
    return -1;
  }
};

TEST_F(BookOutputFile, ALostStandardOutputFailsWithTheReason) {
  const std::vector<std::vector<std::string>> commands = {
      {"--text", input_}, {"--stations", input_}, {"--help"}, {"--version"}, {"--list-printers"}};
  for (const std::vector<std::string>& args : commands) {
    SCOPED_TRACE(args.front());
    FullBuffer full;
    std::ostream out(&full);
    FilePlatform platform;
    const BookRun run = BookOn(platform, args, &out);
    EXPECT_EQ(run.status, kBookRejected);
    EXPECT_EQ(run.err,
              "vantrels-book: cannot write the standard output: No space left on device\n");
  }
}

}  // namespace
}  // namespace vantrels
