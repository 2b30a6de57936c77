// vantrels-book with too little memory for its book: wherever the shortage strikes, the run
// writes the whole PDF or fails with "out of memory" (status 1) and leaves nothing behind; it
// never crashes and never blames the file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

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

class OutOfMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    // The sanitizer's shadow memory needs far more address space than any limit tried here.
    if (kSanitized) GTEST_SKIP() << "an address space limit and AddressSanitizer do not mix";
    dir_ = FreshTestFolder("out_of_memory");
    fs::create_directories(dir_ / "out");
    input_ = (dir_ / "divided.csv").string();
    std::ofstream(input_, std::ios::binary) << bench::GenerateCriteriaFile({true, 2001, 3});
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs vantrels-book --pdf with its address space limited to `mib` MiB; what came of it.
  Outcome RunWith(size_t mib) {
    const std::string target = (dir_ / "out" / "book.pdf").string();
    const std::string err = (dir_ / "err.txt").string();
    const pid_t child = ::fork();
    if (child == 0) {
      const rlimit limit{mib << 20, mib << 20};
      const int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int null_fd = ::open("/dev/null", O_WRONLY);
      if (::setrlimit(RLIMIT_AS, &limit) != 0 || ::dup2(err_fd, 2) < 0 || ::dup2(null_fd, 1) < 0) {
        ::_exit(126);
      }
      ::execl(VANTRELS_BOOK_PROGRAM, "vantrels-book", "--pdf", target.c_str(), input_.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(126);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return Outcome::kWrong;
    const int exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const std::vector<std::string> names = Names(dir_ / "out");
    const std::string said = ReadAll(err);
    SCOPED_TRACE(std::to_string(mib) + " MiB: status " + std::to_string(exit) + ", " + said);
    fs::remove(target);
    if (exit == 0 && names == std::vector<std::string>{"book.pdf"} && said.empty()) {
      return Outcome::kWritten;
    }
    if (names.empty() && exit == 1 && said == "vantrels-book: out of memory\n") {
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
