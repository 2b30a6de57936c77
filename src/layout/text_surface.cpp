#include "layout/text_surface.h"

#include <algorithm>
#include <cmath>

#include "model/cp1252.h"

namespace vantrels {

namespace {
size_t CellCount(double value) {
  if (!(value >= 1)) return 0;
  return static_cast<size_t>(std::floor(value));
}
}  // namespace

TextSurface::TextSurface(double columns, double lines)
    : columns_(columns),
      lines_(lines),
      row_count_(CellCount(lines)),
      column_count_(CellCount(columns)) {}

TextSurface::Page& TextSurface::CurrentPage() {
  if (pages_.size() == ended_) pages_.push_back(Page{std::vector<std::string>(row_count_)});
  return pages_.back();
}

void TextSurface::PrintText(std::string_view text) {
  Page& page = CurrentPage();
  page.drawn = true;
  if (y_ < 0 || static_cast<size_t>(y_) >= row_count_) return;
  // The part of the text that falls between the first and the last column.
  const long long first = x_;
  const long long begin = std::max(first, 0LL);
  const long long end =
      std::min(first + static_cast<long long>(text.size()), static_cast<long long>(column_count_));
  if (begin >= end) return;
  std::string& row = page.rows[static_cast<size_t>(y_)];
  const auto stop = static_cast<size_t>(end);
  if (row.size() < stop) row.resize(stop, ' ');
  text.copy(row.data() + begin, static_cast<size_t>(end - begin),
            static_cast<size_t>(begin - first));
}

void TextSurface::NewPage() {
  CurrentPage();
  pages_.push_back(Page{std::vector<std::string>(row_count_)});
}

Status TextSurface::EndDoc() {
  if (pages_.size() > ended_ && !pages_.back().drawn) pages_.pop_back();
  ended_ = pages_.size();
  return {};
}

void TextSurface::KillDoc() {
  pages_.resize(ended_);
}

std::string TextSurface::Row(int page, int row) const {
  if (page < 0 || static_cast<size_t>(page) >= pages_.size()) return {};
  const std::vector<std::string>& rows = pages_[static_cast<size_t>(page)].rows;
  if (row < 0 || static_cast<size_t>(row) >= rows.size()) return {};
  const std::string& text = rows[static_cast<size_t>(row)];
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::string TextSurface::Render() const {
  std::string out;
  for (size_t p = 0; p < pages_.size(); ++p) {
    for (size_t r = 0; r < row_count_; ++r) {
      out += Cp1252ToUtf8(Row(static_cast<int>(p), static_cast<int>(r)));
      out += '\n';
    }
    out += "\f\n";
  }
  return out;
}

}  // namespace vantrels
