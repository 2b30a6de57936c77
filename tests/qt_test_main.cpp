#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
  // Test discovery runs this binary without the test environment: never need a display.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
#ifdef VANTRELS_TEST_TMPDIR
  // Qt's temporary files and folders go where the test run checks that none are left.
  std::filesystem::create_directories(VANTRELS_TEST_TMPDIR);
  setenv("TMPDIR", VANTRELS_TEST_TMPDIR, 1);
#endif
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
