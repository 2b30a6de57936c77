// vantrels-book's PDF, printer and printer-list runs: the same command line with Qt's printers.
#include <malloc.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/book_render.h"
#include "cli/process_setup.h"
#include "cli/qt_book_platform.h"

int main(int argc, char** argv) {
  // The helper draws one document and ends: memory freed on the way is kept for the next page
  // instead of going back to the system and being faulted in again (a fifth of a long book's
  // time). Its peak stays the same.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  vantrels::PrepareBookProcess();
  const auto parsed = vantrels::ParseBookOptions(std::vector<std::string>(argv + 1, argv + argc));
  vantrels::QtBookPlatform platform;
  return vantrels::RunBookCommand(parsed, std::cout, std::cerr, &platform, STDOUT_FILENO);
}
