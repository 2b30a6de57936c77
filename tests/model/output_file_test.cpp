#include "model/output_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "folder_flush_fault.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The failure's message, or "" for success.
std::string Why(const Status& status) {
  return status ? "" : status.failure().message;
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
  ASSERT_EQ(Why(out.Open()), "");
  EXPECT_EQ(fs::path(out.temporary_path()).parent_path(), dir_);
  ASSERT_TRUE(out.Write("first part, "));
  ASSERT_TRUE(out.Write("second part"));
  EXPECT_FALSE(fs::exists(target));
  ASSERT_EQ(Why(out.Commit()), "");
  EXPECT_EQ(ReadAll(target), "first part, second part");
  EXPECT_THAT(Names(dir_), ElementsAre("book.pdf"));
  EXPECT_TRUE(out.in_place());
}

TEST_F(OutputFileTest, AnOldFileStaysUntilCommitAndKeepsItsPermissions) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  OutputFile out(target.string());
  ASSERT_EQ(Why(out.Open()), "");
  ASSERT_TRUE(out.Write("new book"));
  EXPECT_EQ(ReadAll(target), "old book");
  ASSERT_EQ(Why(out.Commit()), "");
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
      ASSERT_EQ(Why(out.Open()), "");
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
  ASSERT_EQ(Why(out.Open()), "");
  // As a PDF engine does: open by name, truncate, write, close.
  WriteAll(out.temporary_path(), "written by name");
  ASSERT_EQ(Why(out.Commit()), "");
  EXPECT_EQ(ReadAll(target), "written by name");
  EXPECT_THAT(Names(dir_), ElementsAre("book.pdf"));
}

TEST_F(OutputFileTest, AnIncompleteFileFromAWriterByNameNeverReplacesTheTarget) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  OutputFile out(target.string());
  ASSERT_EQ(Why(out.Open()), "");
  WriteAll(out.temporary_path(), "cut sh");
  out.FailIncomplete("the document ends early");
  // The disk has room, so the writer's own note is the reason.
  EXPECT_EQ(Why(out.Commit()), "the document ends early");
  EXPECT_EQ(ReadAll(target), "old book");
  EXPECT_THAT(Names(dir_), ElementsAre("book.pdf"));
}

TEST_F(OutputFileTest, ATemporaryFileReplacedBehindItsBackIsNotCommitted) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  OutputFile out(target.string());
  ASSERT_EQ(Why(out.Open()), "");
  WriteAll(dir_ / "other", "someone else's file");
  fs::rename(dir_ / "other", out.temporary_path());
  EXPECT_THAT(Why(out.Commit()), HasSubstr("was removed or replaced"));
  EXPECT_EQ(ReadAll(target), "old book");
}

TEST_F(OutputFileTest, ALinkedTargetReplacesTheFileItPointsAtAndStaysALink) {
  fs::create_directories(dir_ / "real");
  WriteAll(dir_ / "real" / "book.pdf", "old book");
  fs::create_symlink(dir_ / "real" / "book.pdf", dir_ / "link.pdf");
  OutputFile out((dir_ / "link.pdf").string());
  ASSERT_EQ(Why(out.Open()), "");
  EXPECT_EQ(fs::path(out.temporary_path()).parent_path(), dir_ / "real");
  ASSERT_TRUE(out.Write("new book"));
  ASSERT_EQ(Why(out.Commit()), "");
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.pdf"));
  EXPECT_EQ(ReadAll(dir_ / "real" / "book.pdf"), "new book");
}

// Each case makes its target in the test's folder and names the expected refusal.
struct RefusalCase {
  const char* name;
  std::function<fs::path(const fs::path& dir)> make;
  FailureKind kind;
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
  const Status opened = out.Open({(dir_ / "input.csv").string()});
  ASSERT_FALSE(opened);
  EXPECT_EQ(opened.failure().kind, c.kind);
  // An input that would be overwritten is named by its path.
  EXPECT_EQ(opened.failure().message,
            c.reason ? c.reason : "it is the input file " + (dir_ / "input.csv").string());
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
                    FailureKind::kRejected, "Is a directory"},
        // Opening a FIFO for writing would wait for a reader for ever.
        RefusalCase{"fifo",
                    [](const fs::path& dir) {
                      ::mkfifo((dir / "pipe").c_str(), 0600);
                      return dir / "pipe";
                    },
                    FailureKind::kRejected, "not a regular file (a named pipe)"},
        RefusalCase{"device", [](const fs::path&) { return fs::path("/dev/null"); },
                    FailureKind::kRejected, "not a regular file (a device)"},
        RefusalCase{"missing_folder",
                    [](const fs::path& dir) { return dir / "no_such_folder" / "book.pdf"; },
                    FailureKind::kRejected, "No such file or directory"},
        RefusalCase{"folder_is_a_file",
                    [](const fs::path& dir) {
                      WriteAll(dir / "plain", "x");
                      return dir / "plain" / "book.pdf";
                    },
                    FailureKind::kRejected, "Not a directory"},
        RefusalCase{"dangling_link",
                    [](const fs::path& dir) {
                      fs::create_symlink(dir / "nowhere.pdf", dir / "link.pdf");
                      return dir / "link.pdf";
                    },
                    FailureKind::kRejected, "a symbolic link to a file that does not exist"},
        RefusalCase{"empty_name", [](const fs::path&) { return fs::path(); },
                    FailureKind::kRejected, "no file name given"},
        RefusalCase{"input_itself", Input, FailureKind::kUsage, nullptr},
        RefusalCase{
            "input_through_dot_slash",
            [](const fs::path& dir) { return Input(dir).parent_path() / "." / "input.csv"; },
            FailureKind::kUsage, nullptr},
        RefusalCase{"input_through_a_link",
                    [](const fs::path& dir) {
                      fs::create_symlink(Input(dir), dir / "link.csv");
                      return dir / "link.csv";
                    },
                    FailureKind::kUsage, nullptr},
        RefusalCase{"input_through_a_hard_link",
                    [](const fs::path& dir) {
                      fs::create_hard_link(Input(dir), dir / "hard.csv");
                      return dir / "hard.csv";
                    },
                    FailureKind::kUsage, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// The refused input is named in the reason, as the caller reports it.
TEST_F(OutputFileTest, TheInputThatWouldBeOverwrittenIsNamed) {
  const fs::path input = Input(dir_);
  OutputFile out("./" + fs::relative(input).string());
  const Status opened = out.Open({"other.csv", input.string()});
  ASSERT_FALSE(opened);
  EXPECT_EQ(opened.failure(), UsageError("it is the input file " + input.string()));
}

// What Open says about `target`, as "failure reason".
std::string Refusal(const fs::path& target) {
  OutputFile out(target.string());
  const Status opened = out.Open();
  if (opened) return "opened";
  return std::to_string(static_cast<int>(opened.failure().kind)) + " " + opened.failure().message;
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
      std::to_string(static_cast<int>(FailureKind::kRejected)) + " Permission denied";
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

// A path of exactly `length` bytes below `dir`: folders of at most 200 letters, then the name.
fs::path LongPath(const fs::path& dir, size_t length, size_t name_length) {
  // The folders' bytes, each with its slash.
  size_t rest = length - dir.string().size() - 1 - name_length;
  fs::path folder = dir;
  while (rest > 0) {
    size_t take = std::min<size_t>(rest, 201);
    // Never leave a folder of no letters for the end.
    if (rest - take == 1) --take;
    folder /= std::string(take - 1, 'd');
    rest -= take;
  }
  fs::create_directories(folder);
  return folder / std::string(name_length, 'n');
}

TEST_F(OutputFileTest, EveryPathTheSystemAcceptsCanBeWritten) {
  // The longest path open() takes (PATH_MAX less its end), and the longest file name.
  for (const auto& [length, name_length] :
       {std::pair<size_t, size_t>{PATH_MAX - 10, 40}, {PATH_MAX - 1, 255}}) {
    const fs::path target = LongPath(dir_, length, name_length);
    ASSERT_EQ(target.string().size(), length);
    for (const char* book : {"first book", "second book"}) {
      OutputFile out(target.string());
      ASSERT_EQ(Why(out.Open()), "") << length;
      ASSERT_TRUE(out.Write(book));
      ASSERT_EQ(Why(out.Commit()), "");
      EXPECT_EQ(ReadAll(target), book);
    }
    EXPECT_THAT(Names(target.parent_path()), ElementsAre(target.filename().string()));
  }
}

TEST_F(OutputFileTest, AReplacementTakesThePermissionsButNeverSetuidSetgidOrSticky) {
  const std::pair<mode_t, mode_t> cases[] = {{04755, 0755}, {02775, 0775}, {01777, 0777},
                                             {06711, 0711}, {0640, 0640},  {0600, 0600}};
  for (const auto& [old_mode, new_mode] : cases) {
    const fs::path target = dir_ / "tool";
    WriteAll(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), old_mode), 0);
    // Root gives the new file the old one's owner and group.
    const bool root = ::geteuid() == 0;
    if (root) {
      ASSERT_EQ(::chown(target.c_str(), 1234, 5678), 0);
    }
    OutputFile out(target.string());
    ASSERT_EQ(Why(out.Open()), "");
    ASSERT_TRUE(out.Write("new"));
    ASSERT_EQ(Why(out.Commit()), "");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, new_mode) << std::oct << old_mode;
    if (root) {
      EXPECT_EQ(info.st_uid, 1234u);
      EXPECT_EQ(info.st_gid, 5678u);
    }
  }
}

TEST_F(OutputFileTest, SmallWritesReachTheSystemInLargePieces) {
  const fs::path target = dir_ / "book.pdf";
  OutputFile out(target.string());
  ASSERT_EQ(Why(out.Open()), "");
  const std::string piece(95, 'p');
  std::string all;
  for (int n = 0; n < 1000; ++n) {
    ASSERT_TRUE(out.Write(piece));
    all += piece;
  }
  // 95 kB so far: still in the buffer, none of it written in a small piece.
  EXPECT_EQ(fs::file_size(out.temporary_path()), 0u);
  ASSERT_TRUE(out.Write(std::string(300 * 1024, 'q')));
  all += std::string(300 * 1024, 'q');
  EXPECT_GE(fs::file_size(out.temporary_path()), 64u * 1024);
  ASSERT_EQ(Why(out.Commit()), "");
  EXPECT_EQ(ReadAll(target), all);
}

TEST_F(OutputFileTest, AFolderThatCannotBeFlushedLeavesTheNewFileInPlaceAndSaysSo) {
  const fs::path target = dir_ / "book.pdf";
  WriteAll(target, "old book");
  OutputFile out(target.string());
  ASSERT_EQ(Why(out.Open()), "");
  ASSERT_TRUE(out.Write("new book"));
  FailFolderFlushes(EIO);
  const Status committed = out.Commit();
  FailFolderFlushes(0);
  EXPECT_EQ(Why(committed), "Input/output error");
  EXPECT_TRUE(out.in_place());
  EXPECT_EQ(ReadAll(target), "new book");
  EXPECT_THAT(Names(dir_), ElementsAre("book.pdf"));
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
  ASSERT_EQ(Why(out.Open()), "");
  const std::string chunk(16 * 1024, 'n');
  Status written;
  for (int n = 0; n < 8 && written; ++n) written = out.Write(chunk);
  // The buffer may hold the last chunks until the commit writes them.
  if (written) written = out.Commit();
  EXPECT_EQ(Why(written), "No space left on device");
  EXPECT_FALSE(out.in_place());
  EXPECT_EQ(ReadAll(target), old_book);
  EXPECT_THAT(Names(disk_), ElementsAre("book.pdf"));
}

TEST_F(FullDiskTest, AWriterByNameThatRanOutOfSpaceGetsTheSystemsReason) {
  const fs::path target = disk_ / "book.pdf";
  OutputFile out(target.string());
  ASSERT_EQ(Why(out.Open()), "");
  {
    // A writer that does not check its writes, like a PDF engine.
    std::ofstream writer(out.temporary_path(), std::ios::binary | std::ios::trunc);
    writer << std::string(128 * 1024, 'n');
  }
  out.FailIncomplete("the document ends early");
  EXPECT_EQ(Why(out.Commit()), "No space left on device");
  EXPECT_FALSE(fs::exists(target));
  EXPECT_THAT(Names(disk_), ::testing::IsEmpty());
}

TEST_F(FullDiskTest, AReadOnlyFileSystemIsRefused) {
  ASSERT_EQ(::mount("tmpfs", disk_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0)
      << std::strerror(errno);
  OutputFile out((disk_ / "book.pdf").string());
  EXPECT_EQ(Why(out.Open()), "Read-only file system");
}

}  // namespace
}  // namespace vantrels
