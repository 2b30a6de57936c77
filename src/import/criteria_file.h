#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/messages.h"
#include "app/store.h"

namespace vantrels {

// Results of GpkVantrels.
inline constexpr int kFileAccepted = 0;
inline constexpr int kFileRejected = 1;

// Splits file bytes into lines. A line ends at CR, CR LF or a lone LF; the line end is not part
// of the line. A final line without an ending is a line; an empty file has no lines.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// Cuts a line at every comma; no quoting. "" gives one empty field.
std::vector<std::string_view> SplitFields(std::string_view line);

// Removes leading and trailing blanks (spaces only).
std::string_view TrimBlanks(std::string_view text);

// Upper-cases ASCII letters only.
std::string UpperCase(std::string_view text);

// Reads the whole file at path; throws std::runtime_error with a readable description when the
// file cannot be opened or read (missing, a directory, no permission).
std::string ReadFileBytes(const std::string& path);

// Checks the header of the file at store.InputFilePath, sets RoadwayType and runs the matching
// import. Returns kFileAccepted or kFileRejected; a failed import or the wrong-side stop also
// returns kFileRejected so that nothing downstream runs.
int GpkVantrels(Store& store, Messages& messages);

// The two imports. Each returns true when the file was read to its end without a failure.
bool GPKUndivided(Store& store, Messages& messages);
bool GPKDivided(Store& store, Messages& messages);

// Stores one row of one side ("LeftSide" / "RightSide") into LeftStations or RightStations.
// Returns false when the wrong-side error ended the program.
bool StoreSide(Store& store, Messages& messages, const std::string& station,
               std::string_view rest, int32_t station_index, const std::string& side,
               int32_t slot);

}  // namespace vantrels
