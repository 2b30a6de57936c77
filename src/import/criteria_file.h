#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/messages.h"
#include "model/store.h"
#include "model/text.h"

namespace vantrels {

// Results of GpkVantrels.
inline constexpr int kFileAccepted = 0;
inline constexpr int kFileRejected = 1;

// Splits file bytes into lines. A line ends at CR, CR LF or a lone LF; the line end is not part
// of the line. A final line without an ending is a line; an empty file has no lines.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// Cuts a line at every comma; no quoting. "" gives one empty field.
std::vector<std::string_view> SplitFields(std::string_view line);

// Cuts a line into at most `limit` fields: the first limit - 1 as SplitFields gives them, the
// last one holding the rest of the line, commas included. The imports read only the first
// dozen fields, and a huge line must not become millions of them.
std::vector<std::string_view> SplitFields(std::string_view line, size_t limit);

// The same cut into `fields`, at most fields.size() of them, without allocating; returns how many
// fields were written. The imports cut every row with it.
size_t SplitFieldsInto(std::string_view line, std::span<std::string_view> fields);

// True when `line` holds `length` consecutive commas anywhere (the separator and terminator lines).
bool ContainsCommaRun(std::string_view line, size_t length);

// The largest criteria file read. The largest one the program can use is about 10 MB; the rest
// is headroom for long texts.
inline constexpr uint64_t kCriteriaFileLimit = uint64_t{256} << 20;

// Reads the file at path as it was when opened (later appended bytes are left out); throws
// std::runtime_error with a readable description when the file cannot be opened or read
// (missing, a directory, no permission) or is larger than max_bytes.
std::string ReadFileBytes(const std::string& path, uint64_t max_bytes = kCriteriaFileLimit);

// Checks the header of the file at store.InputFilePath, sets RoadwayType and runs the matching
// import. Returns kFileAccepted or kFileRejected; a failed import or the wrong-side stop also
// returns kFileRejected so that nothing downstream runs, and puts RoadwayType back to its value
// before the call, which still matches StationCount and the report arrays.
int GpkVantrels(Store& store, Messages& messages);

// The two imports. Each clears the station arrays of its roadway, reads the file at
// store.InputFilePath and returns true when it reached the end of the file and set StationCount.
// A failure shows its message and returns false; StationCount and the report arrays then keep
// their previous values. "Error in StoreSide" does not stop the divided import.
bool GPKUndivided(Store& store, Messages& messages);
bool GPKDivided(Store& store, Messages& messages);

// The same imports over lines already read from the file (header lines included), so that
// GpkVantrels reads the file once.
bool GPKUndivided(Store& store, Messages& messages, const std::vector<std::string_view>& lines);
bool GPKDivided(Store& store, Messages& messages, const std::vector<std::string_view>& lines);

// Stores one row of one side ("LeftSide" / "RightSide") into LeftStations or RightStations.
// Returns false when the wrong-side error ended the program (after messages.EndProgram() and
// store.ProgramEnded = true); the caller must stop at once.
bool StoreSide(Store& store, Messages& messages, const std::string& station, std::string_view rest,
               int32_t station_index, const std::string& side, int32_t slot);

}  // namespace vantrels
