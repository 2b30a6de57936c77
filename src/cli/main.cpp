#include <iostream>
#include <string>
#include <vector>

#include "cli/book_render.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vantrels::BookMain(args, std::cout, std::cerr);
}
