#include "book/road.h"

#include "compute/grade.h"
#include "import/criteria_file.h"
#include "layout/page.h"

namespace vantrels {

int ImportAndCompute(Store& store, Messages& messages) {
  store.CurrentPage = 0;
  const int result = GpkVantrels(store, messages);
  if (result != kFileAccepted) return result;
  CalculateSlopes(store, messages);
  FilterPoints(store, messages);
  WritetoFinalReport(store, messages);
  return result;
}

bool CountBook(Store& store, Messages& messages, Surface& viewer) {
  const std::string type = UpperCase(store.RoadwayType);
  const bool divided = type == "DIVIDED";
  if (!divided && type != "UNDIVIDED") return false;
  if (divided) store.CurrentSide = "LeftSide";
  PrintQMTForm(store, messages, viewer);
  PageCount(store, messages);
  PageCountRight(store, messages);
  if (divided) store.CurrentSide = "LeftSide";
  return true;
}

bool RunHeadlessRoad(Store& store, Messages& messages) {
  store.StationList.clear();
  store.StationListRight.clear();
  if (ImportAndCompute(store, messages) != kFileAccepted) return false;
  NullSurface hidden_viewer;
  return CountBook(store, messages, hidden_viewer);
}

}  // namespace vantrels
