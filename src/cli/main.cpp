#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/book_options.h"
#include "cli/book_render.h"
#include "cli/process_setup.h"

namespace {

#ifdef VANTRELS_PRINT_HELPER_DIR
constexpr char kPrintHelper[] = "vantrels-book-print";

std::string ExecutableDirectory() {
  std::string path(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0) return ".";
  path.resize(static_cast<size_t>(length));
  return path.substr(0, path.rfind('/'));
}

// Runs the same command line in the printing helper, which reads it with the same parser;
// returns only when it cannot be started.
int RunPrintHelper(char** argv) {
  const std::string dir = ExecutableDirectory();
  for (const std::string& helper :
       {dir + "/" + kPrintHelper, dir + "/" + VANTRELS_PRINT_HELPER_DIR + "/" + kPrintHelper}) {
    ::execv(helper.c_str(), argv);
  }
  std::cerr << "vantrels-book: cannot start " << kPrintHelper << ": " << std::strerror(errno)
            << '\n';
  return vantrels::kBookRejected;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  vantrels::PrepareBookProcess();
  const auto parsed = vantrels::ParseBookOptions(std::vector<std::string>(argv + 1, argv + argc));
#ifdef VANTRELS_PRINT_HELPER_DIR
  if (parsed && vantrels::NeedsPrinting(*parsed)) return RunPrintHelper(argv);
#endif
  return vantrels::RunBookCommand(parsed, std::cout, std::cerr, nullptr, STDOUT_FILENO);
}
