#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/book.h"
#include "model/messages.h"
#include "model/result.h"
#include "model/text.h"

namespace vantrels {

// Reads file bytes line by line. A line ends at CR, CR LF or a lone LF; the line end is not part
// of the line. A final line without an ending is a line; an empty file has no lines.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes);
  bool AtEnd() const { return next_ >= bytes_.size(); }
  // The next line; false at the end of the bytes.
  bool Next(std::string_view& line);

 private:
  size_t Find(char c) const;

  std::string_view bytes_;
  size_t next_ = 0;
  // The next CR and LF at or after next_ (or the end); each is searched again only once the
  // reader has passed it, so a file with one kind of line end is searched once for the other.
  size_t cr_ = 0;
  size_t lf_ = 0;
};

// Room to reserve for the stations of a file of `bytes` bytes: a guess from its size, never more
// than a roadway holds.
size_t StationsToReserve(std::string_view bytes);

// Every line of the bytes, as LineReader reads them.
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

// True for the two words that make a row a message row: "ERROR" and "MESSAGE", exactly.
bool IsMessageKeyword(std::string_view field);

// True when `line` holds `length` consecutive commas anywhere (the separator and terminator lines).
bool ContainsCommaRun(std::string_view line, size_t length);

// The largest input file read, criteria report or LandXML. The largest criteria file the program
// can use is about 10 MB, the LandXML file of as many stations a few times that; the rest is
// headroom for long texts.
inline constexpr uint64_t kInputFileLimit = uint64_t{256} << 20;

// Reads the file at path as it was when opened (later appended bytes are left out); fails with a
// readable description ("File not found", "Permission denied", "Path is a directory", "File is
// larger than the 256 MB limit") when the file cannot be opened or read or is larger than max_bytes.
Result<std::string> ReadFileBytes(const std::string& path, uint64_t max_bytes = kInputFileLimit);

// What one import leaves for the next: the region station of the row read last, which a
// divided import that fails before reading a row of its own names in its message.
struct ImportMemory {
  std::string last_region_station;
};

// Checks the header of the criteria file at `path`, tells an undivided from a divided roadway
// and imports it. A failure imports nothing: kRejected with the file's message, or kProgramEnded
// with the wrong-side message of a divided row.
Result<RoadwayStations> ImportCriteriaFile(const std::string& path, ImportMemory& memory,
                                           Messages& messages);
// The same over the file's bytes, already read. A file that begins with a UTF-8 byte-order mark
// is UTF-8: its text is read as Windows-1252, each character that code page lacks as '?'.
Result<RoadwayStations> ImportCriteriaBytes(std::string_view bytes, ImportMemory& memory,
                                            Messages& messages);
// The same over Windows-1252 text, whatever its first bytes.
Result<RoadwayStations> ImportCriteriaText(std::string_view text, ImportMemory& memory,
                                           Messages& messages);

// The two imports over the file's bytes, header lines included.
Result<RoadwayStations> ImportUndivided(std::string_view bytes, ImportMemory& memory);
Result<RoadwayStations> ImportDivided(std::string_view bytes, ImportMemory& memory,
                                      Messages& messages);

// How much of a row StoreSide kept.
enum class RowStored {
  kWhole,
  // The row could not be stored whole (too few fields, no slot left): "Error in StoreSide" has
  // been shown, what came before the fault is kept and the import goes on.
  kPartly,
};

// Stores one row of one side of a divided station: `rest` is the row from field 2 on, `slot` the
// row's point slot, `station` the name the wrong-side message gives. A row that names the wrong
// side fails with kProgramEnded and its message: the import stops there.
Result<RowStored> StoreSide(StationRecord& record, std::string_view rest, Side side, int32_t slot,
                            const std::string& station, Messages& messages);

}  // namespace vantrels
