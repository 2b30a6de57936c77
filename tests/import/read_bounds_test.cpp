#include <poll.h>
#include <sys/inotify.h>

#include <filesystem>
#include <stdexcept>
#include <thread>

#include "import/import_test_util.h"

namespace vantrels::import_test {
namespace {

namespace fs = std::filesystem;

// A file of `size` bytes that starts with a valid header and is a hole after it, so a huge file
// costs no disk.
std::string SparseFile(ImportTest& test, uint64_t size) {
  const std::string path = test.Write(Join(UndividedHeader()));
  fs::resize_file(path, size);
  return path;
}

TEST_F(ImportTest, AFileOverTheLimitIsRefusedBeforeItIsRead) {
  ASSERT_EQ(Import(Join(UndividedHeader()) + "A,A R1,,,x,A R1,,,,BR,1.00,100.00\r\n"),
            ImportStatus::kImported);
  EXPECT_EQ(ImportPath(SparseFile(*this, kInputFileLimit + 1)), ImportStatus::kRejected);
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{
                "Program Error : File is larger than the 256 MB limit occured in GpkVantrels"});
  // The previous file's stations are not touched.
  EXPECT_EQ(StationCount(), 0);
  EXPECT_EQ(U(0).region_station, "A R1");
}

TEST_F(ImportTest, TheLimitItselfIsAcceptedAndOneByteMoreIsNot) {
  struct Case {
    uint64_t size;
    uint64_t limit;
    const char* refusal;  // nullptr: read in full
  };
  const Case cases[] = {
      {999, 1000, nullptr},
      {1000, 1000, nullptr},
      {1001, 1000, "File is larger than the 1000 bytes limit"},
      {(2u << 20) + 1, 2u << 20, "File is larger than the 2 MB limit"},
      {0, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " bytes, limit " + std::to_string(c.limit));
    const std::string path = Write(std::string(c.size, 'x'));
    const Result<std::string> read = ReadFileBytes(path, c.limit);
    if (c.refusal) {
      ASSERT_FALSE(read) << "read a file over the limit";
      EXPECT_EQ(read.failure().message, c.refusal);
    } else {
      ASSERT_TRUE(read);
      EXPECT_EQ(*read, std::string(c.size, 'x'));
    }
  }
}

TEST_F(ImportTest, AFileThatGrowsWhileReadIsReadAsItWasWhenOpened) {
  constexpr uint64_t kSize = 64u << 20;
  constexpr size_t kAppended = 1u << 20;
  const std::string path = SparseFile(*this, kSize);
  const int watch = ::inotify_init1(IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, path.c_str(), IN_ACCESS), 0);

  // Another program appends as soon as the reader has read its first bytes.
  bool appended = false;
  std::thread appender([&] {
    pollfd ready{watch, POLLIN, 0};
    if (::poll(&ready, 1, 30000) != 1) return;
    std::ofstream(path, std::ios::binary | std::ios::app) << std::string(kAppended, 'z');
    appended = true;
  });
  const Result<std::string> read = ReadFileBytes(path);
  appender.join();
  ::close(watch);
  ASSERT_TRUE(read);
  const std::string& bytes = *read;

  ASSERT_TRUE(appended);
  EXPECT_EQ(fs::file_size(path), kSize + kAppended);
  EXPECT_EQ(bytes.size(), kSize);
  EXPECT_EQ(bytes.find('z'), std::string::npos);
  EXPECT_EQ(bytes.substr(0, 16), "\"VANTREL REPORT,");
}

}  // namespace
}  // namespace vantrels::import_test
