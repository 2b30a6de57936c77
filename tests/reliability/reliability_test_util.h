#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "reliability/book_run.h"

namespace vantrels::reliability {

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

inline std::string Violated(const std::vector<std::string>& violations) {
  std::string text;
  for (const std::string& v : violations) text += "\n  " + v;
  return text;
}

// Files written to a private temporary folder, removed after the test.
class ReliabilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("vantrels-reliability-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(std::string_view bytes, const std::string& name = "input.csv") {
    const std::filesystem::path path = dir_ / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  // A run with nothing left by an earlier preview, as the first Preview after the program
  // starts.
  static BookRun RunFresh(const std::string& path, PageSize size = kPageSizes[0]) {
    RoadMemory memory;
    return RunBook(memory, path, size);
  }

  std::filesystem::path dir_;
};

}  // namespace vantrels::reliability
