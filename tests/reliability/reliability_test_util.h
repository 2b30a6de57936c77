#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "reliability/book_run.h"
#include "temp_folder.h"

namespace vantrels::reliability {

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
  std::string Write(std::string_view bytes, const std::string& name = "input.csv") {
    return folder_.Write(bytes, name);
  }

  // A run with nothing left by an earlier preview, as the first Preview after the program
  // starts.
  static BookRun RunFresh(const std::string& path, PageSize size = kPageSizes[0]) {
    RoadMemory memory;
    return RunBook(memory, path, size);
  }

  TemporaryFolder folder_{"vantrels-reliability"};
  const std::filesystem::path& dir_ = folder_.path();
};

}  // namespace vantrels::reliability
