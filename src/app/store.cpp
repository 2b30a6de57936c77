#include "app/store.h"

namespace vantrels {

void InitialiseStore(Store& store) {
  for (StationArray* a : {&store.UndividedStations, &store.UndividedFiltered, &store.LeftStations,
                          &store.LeftFiltered, &store.RightStations, &store.RightFiltered}) {
    a->assign(kMaxStationIndex + 1, StationRecord{});
  }
}

void RecreateReport(ReportArray& report, int32_t upper_bound) {
  report.clear();
  report.resize(upper_bound < 0 ? 0 : static_cast<size_t>(upper_bound) + 1);
}

void ClearStations(StationArray& stations) { stations.assign(kMaxStationIndex + 1, StationRecord{}); }

}  // namespace vantrels
