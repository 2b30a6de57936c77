// vantrels-book with too little memory for its book: wherever the shortage strikes, the run
// writes the whole PDF or fails with "out of memory" (status 1) and leaves nothing behind; it
// never crashes and never blames the file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "criteria_generator.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

namespace fs = std::filesystem;

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTRELS_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(VANTRELS_ADDRESS_SANITIZER)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

enum class Outcome { kWritten, kOutOfMemory, kNotStarted, kWrong };

// The program's own lines on stderr; libraries that run short too may add lines of their own
// (fontconfig does).
std::vector<std::string> ProgramLines(const std::string& said) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < said.size();) {
    const size_t end = std::min(said.find('\n', at), said.size());
    if (said.compare(at, 14, "vantrels-book:") == 0) lines.push_back(said.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

class OutOfMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    // The sanitizer's shadow memory needs far more address space than any limit tried here.
    if (kSanitized) GTEST_SKIP() << "an address space limit and AddressSanitizer do not mix";
    dir_ = FreshTestFolder("out_of_memory");
    fs::create_directories(dir_ / "out");
    // A font library that runs short while it scans the fonts saves its empty findings in the
    // first font cache it may write: that is one of the test's own, never the system's.
    fonts_ = (dir_ / "fonts.conf").string();
    std::ofstream(fonts_) << "<?xml version=\"1.0\"?>\n<fontconfig>\n  <cachedir>"
                          << (dir_ / "font-cache").string()
                          << "</cachedir>\n  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf"
                             "</include>\n</fontconfig>\n";
    input_ = (dir_ / "divided.csv").string();
    std::ofstream(input_, std::ios::binary) << bench::GenerateCriteriaFile({true, 2001, 3});
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs vantrels-book --pdf with its address space limited to `mib` MiB; what came of it.
  Outcome RunWith(size_t mib) {
    const std::string target = (dir_ / "out" / "book.pdf").string();
    const std::string err = (dir_ / "err.txt").string();
    std::vector<std::string> environment = {"FONTCONFIG_FILE=" + fonts_};
    for (char** variable = environ; *variable; ++variable) {
      if (!std::string_view(*variable).starts_with("FONTCONFIG_FILE=")) {
        environment.push_back(*variable);
      }
    }
    std::vector<char*> envp;
    for (std::string& variable : environment) envp.push_back(variable.data());
    envp.push_back(nullptr);
    const char* argv[] = {"vantrels-book", "--pdf", target.c_str(), input_.c_str(), nullptr};
    const pid_t child = ::fork();
    if (child == 0) {
      const rlimit limit{mib << 20, mib << 20};
      const int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int null_fd = ::open("/dev/null", O_WRONLY);
      if (::setrlimit(RLIMIT_AS, &limit) != 0 || ::dup2(err_fd, 2) < 0 || ::dup2(null_fd, 1) < 0) {
        ::_exit(126);
      }
      ::execve(VANTRELS_BOOK_PROGRAM, const_cast<char* const*>(argv), envp.data());
      ::_exit(126);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return Outcome::kWrong;
    const int exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const std::vector<std::string> names = Names(dir_ / "out");
    const std::string said = ReadAll(err);
    SCOPED_TRACE(std::to_string(mib) + " MiB: status " + std::to_string(exit) + ", " + said);
    fs::remove(target);
    const std::vector<std::string> lines = ProgramLines(said);
    if (exit == 0 && names == std::vector<std::string>{"book.pdf"} && lines.empty()) {
      return Outcome::kWritten;
    }
    // The program's one message is the shortage; the file is never blamed.
    if (names.empty() && exit == 1 &&
        lines == std::vector<std::string>{"vantrels-book: out of memory"} &&
        said.find("wrong at Sta") == std::string::npos &&
        said.find("Program Error") == std::string::npos) {
      return Outcome::kOutOfMemory;
    }
    // Too little even to load the program's libraries: nothing of ours ran.
    if (names.empty() && exit == 127 &&
        said.find("error while loading shared libraries") != std::string::npos) {
      return Outcome::kNotStarted;
    }
    ADD_FAILURE() << "files left: " << names.size();
    return Outcome::kWrong;
  }

  fs::path dir_;
  std::string input_;
  std::string fonts_;
};

TEST_F(OutOfMemory, EveryShortageEndsInTheBookOrInOutOfMemory) {
  // Halves the range between a limit too small to start and one that writes the book: the
  // limits tried close in on the smallest that suffices, where the last steps run out.
  size_t enough = 1024;
  size_t too_little = 16;
  ASSERT_EQ(RunWith(enough), Outcome::kWritten);
  bool ran_out = false;
  while (enough - too_little > 2) {
    const size_t mib = (enough + too_little) / 2;
    const Outcome outcome = RunWith(mib);
    ASSERT_NE(outcome, Outcome::kWrong);
    ran_out = ran_out || outcome == Outcome::kOutOfMemory;
    (outcome == Outcome::kWritten ? enough : too_little) = mib;
  }
  EXPECT_TRUE(ran_out);
}

}  // namespace
}  // namespace vantrels
