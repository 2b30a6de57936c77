#include "model/output_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "temp_folder.h"

namespace vantrels {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = FreshTestFolder("output_file"); }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
  }
  fs::path dir_;
};

TEST_F(OutputFileTest, ANewFileAppearsOnlyOnCommit) {
  const fs::path target = dir_ / "book.pdf";
  OutputFile out(target.string());
  ASSERT_TRUE(out.Open()) << out.reason();
  EXPECT_EQ(fs::path(out.temporary_path()).parent_path(), dir_);
  ASSERT_TRUE(out.Write("first part, "));
  ASSERT_TRUE(out.Write("second part"));
  EXPECT_FALSE(fs::exists(target));
  ASSERT_TRUE(out.Commit()) << out.reason();
  EXPECT_EQ(ReadAll(target), "first part, second part");
  EXPECT_THAT(Names(dir_), ElementsAre("book.pdf"));
  EXPECT_EQ(out.failure(), OutputFailure::kNone);
}

TEST_F(OutputFileTest, AnOldFileStaysUntilCommitAndKeepsItsPermissions) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  OutputFile out(target.string());
  ASSERT_TRUE(out.Open()) << out.reason();
  ASSERT_TRUE(out.Write("new book"));
  EXPECT_EQ(ReadAll(target), "old book");
  ASSERT_TRUE(out.Commit()) << out.reason();
  EXPECT_EQ(ReadAll(target), "new book");
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(OutputFileTest, ARunThatEndsWithoutCommitLeavesTheOldFileAndNoTemporaryFile) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  for (const bool discard : {true, false}) {
    {
      OutputFile out(target.string());
      ASSERT_TRUE(out.Open()) << out.reason();
      ASSERT_TRUE(out.Write("half a new b"));
      EXPECT_TRUE(fs::exists(out.temporary_path()));
      if (discard) out.Discard();
    }
    EXPECT_EQ(ReadAll(target), "old book");
    EXPECT_THAT(Names(dir_), ElementsAre("book.pdf"));
  }
}

TEST_F(OutputFileTest, AWriterByNameWritesTheTemporaryFile) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  OutputFile out(target.string());
  ASSERT_TRUE(out.Open()) << out.reason();
  // As a PDF engine does: open by name, truncate, write, close.
  WriteAll(out.temporary_path(), "written by name");
  ASSERT_TRUE(out.Commit()) << out.reason();
  EXPECT_EQ(ReadAll(target), "written by name");
  EXPECT_THAT(Names(dir_), ElementsAre("book.pdf"));
}

TEST_F(OutputFileTest, AnIncompleteFileFromAWriterByNameNeverReplacesTheTarget) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  OutputFile out(target.string());
  ASSERT_TRUE(out.Open()) << out.reason();
  WriteAll(out.temporary_path(), "cut sh");
  out.FailIncomplete("the document ends early");
  // The disk has room, so the writer's own note is the reason.
  EXPECT_EQ(out.failure(), OutputFailure::kWriteFailed);
  EXPECT_EQ(out.reason(), "the document ends early");
  EXPECT_FALSE(out.Commit());
  EXPECT_EQ(ReadAll(target), "old book");
  EXPECT_THAT(Names(dir_), ElementsAre("book.pdf"));
}

TEST_F(OutputFileTest, ATemporaryFileReplacedBehindItsBackIsNotCommitted) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  OutputFile out(target.string());
  ASSERT_TRUE(out.Open()) << out.reason();
  WriteAll(dir_ / "other", "someone else's file");
  fs::rename(dir_ / "other", out.temporary_path());
  EXPECT_FALSE(out.Commit());
  EXPECT_THAT(out.reason(), HasSubstr("was removed or replaced"));
  EXPECT_EQ(ReadAll(target), "old book");
}

TEST_F(OutputFileTest, ALinkedTargetReplacesTheFileItPointsAtAndStaysALink) {
  fs::create_directories(dir_ / "real");
  WriteAll(dir_ / "real" / "book.pdf", "old book");
  fs::create_symlink(dir_ / "real" / "book.pdf", dir_ / "link.pdf");
  OutputFile out((dir_ / "link.pdf").string());
  ASSERT_TRUE(out.Open()) << out.reason();
  EXPECT_EQ(fs::path(out.temporary_path()).parent_path(), dir_ / "real");
  ASSERT_TRUE(out.Write("new book"));
  ASSERT_TRUE(out.Commit()) << out.reason();
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.pdf"));
  EXPECT_EQ(ReadAll(dir_ / "real" / "book.pdf"), "new book");
}

// Each case makes its target in the test's folder and names the expected refusal.
struct RefusalCase {
  const char* name;
  std::function<fs::path(const fs::path& dir)> make;
  OutputFailure failure;
  const char* reason;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
  *out << c.name;
}

class OutputRefusal : public OutputFileTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(OutputRefusal, IsRefusedBeforeAnythingIsWritten) {
  const RefusalCase& c = GetParam();
  const fs::path target = c.make(dir_);
  const std::vector<std::string> before = Names(dir_);
  OutputFile out(target.string());
  EXPECT_FALSE(out.Open({(dir_ / "input.csv").string()}));
  EXPECT_EQ(out.failure(), c.failure);
  // An input that would be overwritten is named by its path.
  EXPECT_EQ(out.reason(), c.reason ? c.reason : (dir_ / "input.csv").string());
  EXPECT_EQ(out.temporary_path(), "");
  EXPECT_FALSE(out.Write("x"));
  EXPECT_FALSE(out.Commit());
  EXPECT_EQ(Names(dir_), before);
  if (fs::exists(dir_ / "input.csv")) {
    EXPECT_EQ(ReadAll(dir_ / "input.csv"), "criteria");
  }
}

fs::path Input(const fs::path& dir) {
  WriteAll(dir / "input.csv", "criteria");
  return dir / "input.csv";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, OutputRefusal,
    ::testing::Values(
        RefusalCase{"directory",
                    [](const fs::path& dir) {
                      fs::create_directories(dir / "folder");
                      return dir / "folder";
                    },
                    OutputFailure::kRefused, "Is a directory"},
        // Opening a FIFO for writing would wait for a reader for ever.
        RefusalCase{"fifo",
                    [](const fs::path& dir) {
                      ::mkfifo((dir / "pipe").c_str(), 0600);
                      return dir / "pipe";
                    },
                    OutputFailure::kRefused, "not a regular file (a named pipe)"},
        RefusalCase{"device", [](const fs::path&) { return fs::path("/dev/null"); },
                    OutputFailure::kRefused, "not a regular file (a device)"},
        RefusalCase{"missing_folder",
                    [](const fs::path& dir) { return dir / "no_such_folder" / "book.pdf"; },
                    OutputFailure::kRefused, "No such file or directory"},
        RefusalCase{"folder_is_a_file",
                    [](const fs::path& dir) {
                      WriteAll(dir / "plain", "x");
                      return dir / "plain" / "book.pdf";
                    },
                    OutputFailure::kRefused, "Not a directory"},
        RefusalCase{"dangling_link",
                    [](const fs::path& dir) {
                      fs::create_symlink(dir / "nowhere.pdf", dir / "link.pdf");
                      return dir / "link.pdf";
                    },
                    OutputFailure::kRefused, "a symbolic link to a file that does not exist"},
        RefusalCase{"empty_name", [](const fs::path&) { return fs::path(); },
                    OutputFailure::kRefused, "no file name given"},
        RefusalCase{"input_itself", Input, OutputFailure::kSameAsInput, nullptr},
        RefusalCase{
            "input_through_dot_slash",
            [](const fs::path& dir) { return Input(dir).parent_path() / "." / "input.csv"; },
            OutputFailure::kSameAsInput, nullptr},
        RefusalCase{"input_through_a_link",
                    [](const fs::path& dir) {
                      fs::create_symlink(Input(dir), dir / "link.csv");
                      return dir / "link.csv";
                    },
                    OutputFailure::kSameAsInput, nullptr},
        RefusalCase{"input_through_a_hard_link",
                    [](const fs::path& dir) {
                      fs::create_hard_link(Input(dir), dir / "hard.csv");
                      return dir / "hard.csv";
                    },
                    OutputFailure::kSameAsInput, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// The refused input is named in the reason, as the caller reports it.
TEST_F(OutputFileTest, TheInputThatWouldBeOverwrittenIsNamed) {
  const fs::path input = Input(dir_);
  OutputFile out("./" + fs::relative(input).string());
  ASSERT_FALSE(out.Open({"other.csv", input.string()}));
  EXPECT_EQ(out.failure(), OutputFailure::kSameAsInput);
  EXPECT_EQ(out.reason(), input.string());
}

// What Open says about `target`, as "failure reason".
std::string Refusal(const fs::path& target) {
  OutputFile out(target.string());
  if (out.Open()) return "opened";
  return std::to_string(static_cast<int>(out.failure())) + " " + out.reason();
}

TEST_F(OutputFileTest, PermissionProblemsGiveTheSystemsReason) {
  // A file nobody may write, in a folder everyone may write: the file is protected all the same.
  fs::create_directories(dir_ / "shared");
  ASSERT_EQ(::chmod((dir_ / "shared").c_str(), 0777), 0);
  WriteAll(dir_ / "shared" / "locked.pdf", "old book");
  ASSERT_EQ(::chmod((dir_ / "shared" / "locked.pdf").c_str(), 0444), 0);
  fs::create_directories(dir_ / "read_only");
  ASSERT_EQ(::chmod((dir_ / "read_only").c_str(), 0555), 0);
  const std::string refused =
      std::to_string(static_cast<int>(OutputFailure::kRefused)) + " Permission denied";
  if (::geteuid() != 0) {
    EXPECT_EQ(Refusal(dir_ / "shared" / "locked.pdf"), refused);
    EXPECT_EQ(Refusal(dir_ / "read_only" / "book.pdf"), refused);
  } else {
    // Root may write anything: the same checks run in a child as the user nobody.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
      const bool as_expected = Refusal(dir_ / "shared" / "locked.pdf") == refused &&
                               Refusal(dir_ / "read_only" / "book.pdf") == refused;
      ::_exit(as_expected ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a refusal differs; 2: cannot become nobody";
  }
  EXPECT_EQ(ReadAll(dir_ / "shared" / "locked.pdf"), "old book");
  EXPECT_THAT(Names(dir_ / "shared"), ElementsAre("locked.pdf"));
  EXPECT_THAT(Names(dir_ / "read_only"), ::testing::IsEmpty());
}

TEST_F(OutputFileTest, AnInterruptedRunRemovesItsTemporaryFileAndEndsByTheSignal) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RemoveTemporaryOutputsOnSignals();
      OutputFile committed((dir_ / "done.pdf").string());
      const bool done = committed.Open() && committed.Write("done") && committed.Commit();
      OutputFile out(target.string());
      if (done && out.Open() && out.Write("half a new b")) ::raise(signal);
      ::_exit(99);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_EQ(ReadAll(target), "old book");
    EXPECT_THAT(Names(dir_), ElementsAre("book.pdf", "done.pdf"));
  }
}

// A 64 KB file system, mounted for the test; root only.
class FullDiskTest : public OutputFileTest {
 protected:
  void SetUp() override {
    OutputFileTest::SetUp();
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    disk_ = dir_ / "disk";
    fs::create_directories(disk_);
    if (::mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=64k") != 0) {
      GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    }
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) ::umount(disk_.c_str());
    OutputFileTest::TearDown();
  }
  fs::path disk_;
  bool mounted_ = false;
};

TEST_F(FullDiskTest, AFullDiskKeepsTheOldFileAndSaysSo) {
  const fs::path target = disk_ / "book.pdf";
  const std::string old_book(40 * 1024, 'o');
  WriteAll(target, old_book);
  ASSERT_EQ(ReadAll(target), old_book);

  OutputFile out(target.string());
  ASSERT_TRUE(out.Open()) << out.reason();
  const std::string chunk(16 * 1024, 'n');
  bool written = true;
  for (int n = 0; n < 8 && written; ++n) written = out.Write(chunk);
  EXPECT_FALSE(written);
  EXPECT_EQ(out.failure(), OutputFailure::kWriteFailed);
  EXPECT_EQ(out.reason(), "No space left on device");
  EXPECT_FALSE(out.Commit());
  EXPECT_EQ(ReadAll(target), old_book);
  EXPECT_THAT(Names(disk_), ElementsAre("book.pdf"));
}

TEST_F(FullDiskTest, AWriterByNameThatRanOutOfSpaceGetsTheSystemsReason) {
  const fs::path target = disk_ / "book.pdf";
  OutputFile out(target.string());
  ASSERT_TRUE(out.Open()) << out.reason();
  {
    // A writer that does not check its writes, like a PDF engine.
    std::ofstream writer(out.temporary_path(), std::ios::binary | std::ios::trunc);
    writer << std::string(128 * 1024, 'n');
  }
  out.FailIncomplete("the document ends early");
  EXPECT_EQ(out.reason(), "No space left on device");
  EXPECT_FALSE(fs::exists(target));
  EXPECT_THAT(Names(disk_), ::testing::IsEmpty());
}

TEST_F(FullDiskTest, AReadOnlyFileSystemIsRefused) {
  ASSERT_EQ(::mount("tmpfs", disk_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0)
      << std::strerror(errno);
  OutputFile out((disk_ / "book.pdf").string());
  EXPECT_FALSE(out.Open());
  EXPECT_EQ(out.failure(), OutputFailure::kRefused);
  EXPECT_EQ(out.reason(), "Read-only file system");
}

}  // namespace
}  // namespace vantrels
