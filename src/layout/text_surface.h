#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/surface.h"

namespace vantrels {

// A printer whose pages are character grids of floor(lines) rows by floor(columns) columns,
// one cell per character. Texts overwrite what is below them; characters outside the grid are
// dropped.
class TextSurface : public Surface {
 public:
  TextSurface(double columns, double lines);

  bool IsWindow() const override { return false; }
  void SetCurrentX(int x) override { x_ = x; }
  void SetCurrentY(int y) override { y_ = y; }
  void PrintText(std::string_view text) override;
  void SetFontName(const std::string&) override {}
  void SetFontSize(double) override {}
  void SetFontBold(bool) override {}
  void SetFontUnderline(bool) override {}
  void SetFontTransparent(bool) override {}

  std::optional<CellMeasure> MeasureCells() override { return CellMeasure{columns_, lines_}; }
  void NewPage() override;
  // Ends the document; a last page on which nothing was drawn is not part of it.
  Status EndDoc() override;
  // Discards the pages of the document not yet ended.
  void KillDoc() override;

  int Pages() const { return static_cast<int>(pages_.size()); }
  // Row `row` of page `page` as drawn (Windows-1252 bytes), trailing spaces removed.
  std::string Row(int page, int row) const;
  // Every page as UTF-8: each row without trailing spaces and "\n", then a line "\f".
  std::string Render() const;

 private:
  struct Page {
    // Rows grow only as far as something is drawn in them.
    std::vector<std::string> rows;
    bool drawn = false;
  };
  Page& CurrentPage();

  double columns_;
  double lines_;
  size_t row_count_;
  size_t column_count_;
  int x_ = 0;
  int y_ = 0;
  std::vector<Page> pages_;
  // Pages of documents already ended.
  size_t ended_ = 0;
};

}  // namespace vantrels
