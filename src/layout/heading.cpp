#include <cmath>
#include <ctime>
#include <exception>
#include <limits>
#include <stdexcept>
#include <string>

#include "layout/page.h"
#include "layout/page_positions.h"
#include "model/inherited_messages.h"

namespace vantrels {

namespace {

using page_positions::HeadingItem;
using page_positions::HeadingValue;
using page_positions::kHeading;

constexpr double kReportPoints = 10;

std::string HeadingText(const HeadingItem& item, bool window, const PageContext& context) {
  std::string text = window ? item.window_text : item.printer_text;
  if (item.value == HeadingValue::kProjectNumber) text += context.project_number;
  if (item.value == HeadingValue::kDate) text += HeadingDateText(context);
  return text;
}

}  // namespace

int16_t RoundCoordinate(double value) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<int16_t>::min() &&
        rounded <= std::numeric_limits<int16_t>::max())) {
    throw std::runtime_error("Overflow");
  }
  return static_cast<int16_t>(rounded);
}

std::string HeadingDateText(const PageContext& context) {
  if (!context.heading_date.empty()) return context.heading_date;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[16];
  std::strftime(buffer, sizeof buffer, "%m %d %Y", &local);
  return buffer;
}

void PutText(Messages& messages, Surface& target, int x, int y, std::string_view text) {
  try {
    target.SetCurrentX(x);
    target.SetCurrentY(y);
    target.PrintText(text);
  } catch (const std::bad_alloc&) {
    // Out of memory is the process's failure, not the file's: it ends the command.
    throw;
  } catch (const std::exception& e) {
    messages.Show(inherited::kPutTextFailure.Around(e.what()));
  }
}

std::optional<PageGeometry> MeasurePage(Surface& printer) {
  try {
    if (const std::optional<CellMeasure> measure = printer.MeasureCells()) {
      return PageGeometry::Measured(measure->columns, measure->lines);
    }
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

void DrawHeading(Surface& target, const PageContext& context, Messages& messages) {
  try {
    // A failing step falls back to Courier New and the heading goes on; only a failing fallback
    // leaves the heading.
    const auto step = [&](auto&& action) {
      try {
        action();
      } catch (const std::bad_alloc&) {
        throw;
      } catch (const std::exception&) {
        target.SetFontName("Courier New");
      }
    };
    const bool window = target.IsWindow();
    step([&] { target.SetFontName(context.report_font); });
    step([&] { target.SetFontTransparent(true); });
    step([&] { target.SetFontSize(kReportPoints); });
    step([&] { target.SetFontBold(true); });
    for (const HeadingItem& item : kHeading) {
      if (item.underlined) step([&] { target.SetFontUnderline(true); });
      step([&] {
        const page_positions::EdgeCell cell = window ? item.window : item.printer;
        const SurfacePoint at = target.CellPosition(context.page.columns - cell.columns_from_right,
                                                    context.page.lines - cell.lines_from_bottom);
        PutText(messages, target, at.x, at.y, HeadingText(item, window, context));
      });
      if (item.underlined) step([&] { target.SetFontUnderline(false); });
    }
    step([&] { target.SetFontSize(kReportPoints); });
    step([&] { target.SetFontBold(false); });
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    messages.Show(inherited::kHeadingFailure.Around(e.what()));
  }
}

}  // namespace vantrels
