// vantrels-book's PDF, printer and printer-list runs: the same command line with Qt's printers.
#include <iostream>
#include <string>
#include <vector>

#include "cli/book_render.h"
#include "cli/qt_book_platform.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  vantrels::QtBookPlatform platform;
  return vantrels::BookMain(args, std::cout, std::cerr, &platform);
}
