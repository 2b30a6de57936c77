#pragma once

#include "layout/surface.h"
#include "model/messages.h"
#include "model/store.h"

namespace vantrels {

// Preview steps 5 to 7: CurrentPage := 0, classification and import, then the three grade
// computations. Returns GpkVantrels' result; nothing is computed for a rejected file.
int ImportAndCompute(Store& store, Messages& messages);

// Preview steps 9 and 10.1 to 10.3: the heading on the viewer (which measures the printer),
// PageCount, PageCountRight, and the left side again for a divided roadway. Returns false for
// a roadway type that is neither "UNDIVIDED" nor "DIVIDED".
bool CountBook(Store& store, Messages& messages, Surface& viewer);

// The whole headless road of one preview: empties the station lists, ImportAndCompute, then
// CountBook with a hidden viewer. Returns true when a book was counted.
bool RunHeadlessRoad(Store& store, Messages& messages);

}  // namespace vantrels
