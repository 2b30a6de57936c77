#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "layout/surface.h"
#include "model/units.h"

namespace vantrels::testing {

// Keeps every text with its position and the font in effect when it was drawn.
class RecordingSurface : public Surface {
 public:
  struct Text {
    int x;
    int y;
    std::string text;
    std::string face;
    double size;
    bool bold;
    bool underline;
  };

  // A printer, or a window showing the page at `view_scale`.
  explicit RecordingSurface(bool window = false, double view_scale = 0)
      : window_(window), view_scale_(view_scale) {}

  bool IsWindow() const override { return window_; }
  SurfacePoint CellPosition(double column, double line) const override {
    if (!window_) return Surface::CellPosition(column, line);
    return {RoundCoordinate(CellColumnTwips(column, view_scale_)),
            RoundCoordinate(CellLineTwips(line, view_scale_))};
  }
  void SetCurrentX(int x) override { x_ = x; }
  void SetCurrentY(int y) override { y_ = y; }
  void PrintText(std::string_view text) override {
    if (print_error) throw std::runtime_error(*print_error);
    texts.push_back({x_, y_, std::string(text), face, size, bold, underline});
  }
  void SetFontName(const std::string& name) override {
    if (name != "Courier New" && !missing_face.empty() && name == missing_face) {
      throw std::runtime_error("Font not found");
    }
    if (face_error) throw std::runtime_error(*face_error);
    face = name;
  }
  void SetFontSize(double points) override { size = window_ ? points * view_scale_ : points; }
  void SetFontBold(bool on) override { bold = on; }
  void SetFontUnderline(bool on) override { underline = on; }
  void SetFontTransparent(bool on) override { transparent = on; }
  std::optional<CellMeasure> MeasureCells() override { return measure; }

  // The texts drawn at (x, y).
  std::vector<std::string> At(int x, int y) const {
    std::vector<std::string> found;
    for (const Text& t : texts) {
      if (t.x == x && t.y == y) found.push_back(t.text);
    }
    return found;
  }

  std::vector<Text> texts;
  std::string face;
  double size = 0;
  bool bold = false;
  bool underline = false;
  bool transparent = false;
  std::optional<CellMeasure> measure;
  // Faults to inject: a face that cannot be selected, any face failing, every text failing.
  std::string missing_face;
  std::optional<std::string> face_error;
  std::optional<std::string> print_error;

 private:
  bool window_;
  double view_scale_;
  int x_ = 0;
  int y_ = 0;
};

}  // namespace vantrels::testing
