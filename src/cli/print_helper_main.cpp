// vantrels-book's PDF, printer and printer-list runs: the same command line with Qt's printers.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/book_render.h"
#include "cli/process_setup.h"
#include "cli/qt_book_platform.h"

int main(int argc, char** argv) {
  vantrels::PrepareBookProcess();
  const auto parsed = vantrels::ParseBookOptions(std::vector<std::string>(argv + 1, argv + argc));
  vantrels::QtBookPlatform platform;
  return vantrels::RunBookCommand(parsed, std::cout, std::cerr, &platform, STDOUT_FILENO);
}
