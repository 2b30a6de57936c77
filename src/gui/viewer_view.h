#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "book/book_renderer.h"
#include "model/book.h"
#include "model/units.h"

namespace vantrels {

// The viewer's scale for its outer size in twips: scaled by the width when the window is
// relatively taller than a page of 8 x 10.5 inches, else (the tie included) by the height.
// Quotients in single precision, as the scale has always been computed.
double ViewScaleFor(double width_twips, double height_twips);

// The viewer's caption: "<file name> - (Left) Page 3 of 10 - Vantrels" for the page shown, the
// side tag only on a divided roadway; "Display Report" without a book.
QString ViewerTitle(const QString& criteria_file, const Book* book, BookPosition shown);

// `size` shrunk, keeping its aspect, until it fits `room`; a size that fits stays as it is.
QSize FitWithin(QSize size, QSize room);

// The largest scale at which the whole of `page` fits into `room` (twips); 0 for an empty page
// or room.
double WholePageScale(double room_width_twips, double room_height_twips, PageGeometry page);

// Where a window goes so that its frame, `client` plus `frame` margins, lies within `available`:
// shrunk keeping its aspect when too large, then moved in where it sticks out. Returns the
// client's new geometry.
QRect ClientWithinScreen(QRect client, QMargins frame, QRect available);

// The zoom as the viewer's status line shows it: "Zoom 150 %", "Fit to window 64 %".
QString ZoomText(double scale, bool fitted);

// The largest view scale at which every position of `page` stays a 16-bit twip coordinate.
double MaxViewScale(PageGeometry page);

// The zoom steps (view scales, 1 = the printed size) next above or below `scale`, up to `max`;
// nullopt when there is no further step that way.
std::optional<double> ZoomStepIn(double scale, double max);
std::optional<double> ZoomStepOut(double scale);

}  // namespace vantrels
