#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vantrels {

// The folder the test run checks to be empty at its end; the system's temporary folder
// ($TMPDIR) for a test program built without it.
inline std::filesystem::path TestRunTempFolder() {
#ifdef VANTRELS_TEST_TMPDIR
  return VANTRELS_TEST_TMPDIR;
#else
  return ::testing::TempDir();
#endif
}

// This test process's folder in the test run's temporary folder: made on first use and removed
// with everything in it when the process ends, so that a test which stops half-way leaves
// nothing behind either. A child process that ends by exit() leaves it to its parent.
inline const std::filesystem::path& ProcessTempFolder() {
  struct Folder {
    Folder()
        : path(TestRunTempFolder() / ("vantrels-test-" + std::to_string(::getpid()))),
          owner(::getpid()) {
      std::filesystem::create_directories(path);
    }
    ~Folder() {
      std::error_code ignored;
      if (::getpid() == owner) std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
    pid_t owner;
  };
  static const Folder folder;
  return folder.path;
}

// A private folder in the process's temporary folder, removed with its files at the end.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& prefix) {
    static std::atomic<int> serial{0};
    path_ = ProcessTempFolder() / (prefix + "-" + std::to_string(++serial));
    std::filesystem::create_directories(path_);
  }
  ~TemporaryFolder() { std::filesystem::remove_all(path_); }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes `bytes` to the file `name` in the folder and returns its path.
  std::string Write(std::string_view bytes, const std::string& name) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }

 private:
  std::filesystem::path path_;
};

// A fresh, empty folder for the running test, removed again by the fixture's TearDown; named by
// `prefix` and the running test (a parameterised test's "/" made "_", so the name is one folder).
inline std::filesystem::path FreshTestFolder(const std::string& prefix) {
  namespace fs = std::filesystem;
  std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(test.begin(), test.end(), '/', '_');
  const fs::path dir = ProcessTempFolder() / (prefix + "_" + test);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// A path in the process's temporary folder, named by `prefix` and `name`.
inline std::string TestTempPath(const std::string& prefix, const std::string& name) {
  return (ProcessTempFolder() / (prefix + "_" + name)).string();
}

// The whole file's bytes; empty when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names in a folder, sorted, so a left-over temporary file shows.
inline std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace vantrels
