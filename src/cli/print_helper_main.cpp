// vantrels-book's PDF, printer and printer-list runs: the same command line with Qt's printers.
#include <iostream>
#include <string>
#include <vector>

#include "cli/book_render.h"
#include "cli/process_setup.h"
#include "cli/qt_book_platform.h"

int main(int argc, char** argv) {
  vantrels::PrepareBookProcess();
  const std::vector<std::string> args(argv + 1, argv + argc);
  vantrels::QtBookPlatform platform;
  return vantrels::RunBookCommand(
      [&] { return vantrels::BookMain(args, std::cout, std::cerr, &platform); });
}
