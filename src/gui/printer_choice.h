#pragma once

#include <string>
#include <vector>

namespace vantrels {

// The printer and the report face chosen in the font and printer window; Windows-1252 bytes.
struct PrinterChoice {
  std::string printer;
  std::string font;
  bool operator==(const PrinterChoice&) const = default;
};

// The printers the font and printer window offers, in the print service's order (the PDF file
// entry last), and the current one.
struct PrinterOffer {
  std::vector<std::string> names;
  std::string current;
};

}  // namespace vantrels
