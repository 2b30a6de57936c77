// A fresh, empty folder for the running test, removed again by the fixture's TearDown.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace vantrels {

// Named by `prefix`, the process and the running test, so parallel test processes never share it.
inline std::filesystem::path FreshTestFolder(const std::string& prefix) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) /
                       (prefix + "_" + std::to_string(::getpid()) + "_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

}  // namespace vantrels
