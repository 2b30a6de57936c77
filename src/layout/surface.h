#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/result.h"

namespace vantrels {

// The printable area of a printer page in character cells of 120 x 240 twips.
struct CellMeasure {
  double columns = 0;
  double lines = 0;
};

// What a report page is drawn on: a window (positions in twips) or a printer (positions in
// character cells). Only text is drawn. Operations that a target cannot perform throw
// std::runtime_error with a description; callers report it as their failure.
class Surface {
 public:
  virtual ~Surface() = default;

  virtual bool IsWindow() const = 0;
  virtual void SetCurrentX(int x) = 0;
  virtual void SetCurrentY(int y) = 0;
  // Draws text (Windows-1252 bytes) with its top-left corner at the current position.
  virtual void PrintText(std::string_view text) = 0;
  // Throws std::runtime_error when the face cannot be selected on this target.
  virtual void SetFontName(const std::string& face) = 0;
  virtual void SetFontSize(double points) = 0;
  virtual void SetFontBold(bool on) = 0;
  virtual void SetFontUnderline(bool on) = 0;
  virtual void SetFontTransparent(bool on) = 0;

  // Printer: the printable area in character cells; nullopt when no printer can be measured.
  virtual std::optional<CellMeasure> MeasureCells() { return std::nullopt; }
  virtual void NewPage() {}
  // Ends the document; a printer that cannot take it fails with the reason.
  virtual Status EndDoc() { return {}; }
  virtual void KillDoc() {}

  // Window: empty the picture; outer size in twips.
  virtual void Clear() {}
  virtual double Width() const { return 0; }
  virtual double Height() const { return 0; }
};

}  // namespace vantrels
