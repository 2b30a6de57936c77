#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrels {

class Surface;

// Limits of a roadway: station indices 0..2000, point slots 0..30, pages 0..500.
inline constexpr int kMaxStationIndex = 2000;
inline constexpr int kPointSlots = 31;
inline constexpr int kPageTableSize = 501;
inline constexpr int kGridRows = 11;
inline constexpr int kGridColumns = 4;
inline constexpr int kCellItems = 5;

// Texts are kept as the file's bytes (Windows-1252); they are decoded only where shown.
struct StationRecord {
  int32_t LastPointIndex = 0;
  std::string StationText;
  std::string RegionStation;
  std::string ExtraText;
  std::string SectionStation;
  std::string MessageText;
  std::string MessageKeyword;
  std::array<std::string, kPointSlots> PointCodes;
  std::array<std::string, kPointSlots> PointOffsets;
  std::array<std::string, kPointSlots> PointElevations;
  std::array<std::string, kPointSlots> PointSlopes;
};

// Cell items: 0 description, 1 offset, 2 elevation, 3 slope, 4 unused.
using CellGrid =
    std::array<std::array<std::array<std::string, kCellItems>, kGridColumns>, kGridRows>;

struct ReportRecord {
  std::string SectionLabel;
  std::string RegionStation;
  std::string StationText;
  int32_t LastRow = 0;
  std::string MessageKeyword;
  std::string MessageText;
  CellGrid Cells;
};

using StationArray = std::vector<StationRecord>;
using ReportArray = std::vector<ReportRecord>;
using PageTable = std::array<std::string, kPageTableSize>;

// The process-wide data of one run: record arrays and the shared values every procedure reads
// and writes. One instance is owned by the application and handed to each procedure.
struct Store {
  StationArray UndividedStations, LeftStations, RightStations;
  StationArray UndividedFiltered, LeftFiltered, RightFiltered;
  ReportArray UndividedReport, LeftReport, RightReport;

  std::string InputFilePath;
  std::string RoadwayType;
  std::string CurrentSide;
  std::string ProjectNumber;
  int32_t StationCount = 0;
  int32_t DividedStationIndex = 0;
  std::string LastStationText;
  std::string LastRegionStation;
  int32_t CurrentPage = 0;
  int32_t UndividedLastPage = 0, LeftLastPage = 0, RightLastPage = 0;
  PageTable UndividedPageStarts, LeftPageStarts, RightPageStarts;
  double PageColumns = 0, PageLines = 0;
  double ViewScale = 0;
  std::string PrinterName;
  std::string ReportFontName;
  int16_t PrintFromPage = 0, PrintToPage = 0, PickedPageIndex = 0;

  // The go-to-station lists, filled by page counting: StationList serves the undivided roadway
  // and the left side, StationListRight the right side. Entry: page from 1, 12 blanks, station.
  std::vector<std::string> StationList;
  std::vector<std::string> StationListRight;

  // The platform's current printer: every page heading measures it. Null when there is none.
  Surface* Printer = nullptr;
  // Heading date as "mm dd yyyy"; empty means today's system date.
  std::string HeadingDate;
  // Set when the divided import's wrong-side error has ended the program.
  bool ProgramEnded = false;
};

// Creates the six station arrays with indices 0..2000, every field empty or 0.
void InitialiseStore(Store& store);

// Discards the array's contents and creates it again with indices 0..upper_bound.
void RecreateReport(ReportArray& report, int32_t upper_bound);

// Empties the records 0..2000 of one station array (used before each import).
void ClearStations(StationArray& stations);

}  // namespace vantrels
