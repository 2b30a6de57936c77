#include <iostream>
#include <string>
#include <vector>

#include "cli/book_render.h"
#ifdef VANTRELS_BOOK_WITH_QT
#include "cli/qt_book_platform.h"
#endif

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef VANTRELS_BOOK_WITH_QT
  vantrels::QtBookPlatform platform;
  return vantrels::BookMain(args, std::cout, std::cerr, &platform);
#else
  return vantrels::BookMain(args, std::cout, std::cerr);
#endif
}
