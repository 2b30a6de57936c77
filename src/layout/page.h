#pragma once

#include <cstdint>
#include <string>

#include "layout/surface.h"
#include "model/messages.h"
#include "model/store.h"

namespace vantrels {

// Rounds to the nearest integer, halves to even, and checks the 16-bit coordinate range
// (throws std::runtime_error("Overflow") outside it).
int16_t RoundCoordinate(double value);

// Today's date (or store.HeadingDate when set) as "mm dd yyyy".
std::string HeadingDateText(const Store& store);

// Places one text at (x, y) in target units; failures are reported and the caller goes on.
void PutText(Messages& messages, Surface& target, int x, int y, const std::string& text);

// Draws the page heading and measures store.Printer into PageColumns / PageLines.
void WriteHeader(Store& store, Messages& messages, Surface& target);
void PrintQMTForm(Store& store, Messages& messages, Surface& target);

// Draws the body of page CurrentPage and writes the next page's start into the page table.
void ToPrintAllForms(Store& store, Messages& messages, Surface& target);
// The same layout without drawing; appends the station list entries of the page.
void ToCountAllForms(Store& store, Messages& messages, Surface& target);

// Count the undivided book or the left side (PageCount) and the right side (PageCountRight).
void PageCount(Store& store, Messages& messages);
void PageCountRight(Store& store, Messages& messages);

}  // namespace vantrels
