#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "import/criteria_file.h"
#include "model/book.h"
#include "model/messages.h"
#include "temp_folder.h"

namespace vantrels::import_test {

inline std::string Join(const std::vector<std::string>& lines, const std::string& ending = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + ending;
  return text;
}

inline std::string Fields(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t n = 0; n < fields.size(); ++n) line += (n ? "," : "") + fields[n];
  return line;
}

// Header lines of an undivided file (three) and of a divided one (four).
inline std::vector<std::string> UndividedHeader() {
  return {"\"VANTREL REPORT,Criteria,Run 1", "Job,Test,,,,", "UNDIVIDED,Roadway 1"};
}
inline std::vector<std::string> DividedHeader() {
  return {"\"VANTREL REPORT,Criteria,Run 1", "Job,Test,,,,", "DIVIDED,Roadway 1",
          "Station,Region,,Type,Extra,Section,,,Side,Code,Offset,Elevation"};
}

inline const std::string kSeparator = ",,,,,,,,,,,";
inline const std::string kTerminator = ",,,,,,,,,,,,,,,";

// Undivided point row: fields 0 to 11.
inline std::string Point(const std::string& station, const std::string& region,
                         const std::string& code, const std::string& offset,
                         const std::string& elevation, const std::string& extra = "x",
                         const std::string& section = "") {
  return Fields({station, region, "", "", extra, section.empty() ? region : section, "", "", "",
                 code, offset, elevation});
}

inline std::string UndividedMessage(const std::string& station, const std::string& region,
                                    const std::string& keyword, const std::string& text) {
  return Fields({station, region, keyword, text});
}

// Divided side row: field 8 holds the side word.
inline std::string SideRow(const std::string& station, const std::string& region,
                           const std::string& side, const std::string& code,
                           const std::string& offset, const std::string& elevation,
                           const std::string& extra = "x", const std::string& section = "") {
  return Fields({station, region, "", "", extra, section.empty() ? region : section, "", "", side,
                 code, offset, elevation});
}

inline std::string SideMessage(const std::string& station, const std::string& region,
                               const std::string& side, const std::string& keyword,
                               const std::string& text) {
  return Fields({station, region, "", keyword, text, "", "", "", side, "", "", ""});
}

inline int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

// The index of a station's last point slot: -1 for a station without points.
inline int32_t LastPointIndex(const StationRecord& s) {
  return static_cast<int32_t>(s.points.size()) - 1;
}

// What an import came to.
enum class ImportStatus { kImported, kRejected, kProgramEnded };

// Imports files written to a private temporary folder, keeping the stations of the last file
// accepted, as a preview keeps the book of the last file accepted. A failure's message is shown
// on the recorded sink after the import's own messages, as the command that ends shows it.
class ImportTest : public ::testing::Test {
 public:
  std::string Write(const std::string& bytes, const std::string& name = "input.csv") {
    return folder_.Write(bytes, name);
  }

 protected:
  // Writes the file, then classifies and imports it.
  ImportStatus Import(const std::string& bytes) { return ImportPath(Write(bytes)); }

  ImportStatus ImportPath(const std::string& path) {
    return Take(ImportCriteriaFile(path, memory_, messages_));
  }

  ImportStatus Take(Result<RoadwayStations> result) {
    ended_ = false;
    if (result) {
      stations_ = std::move(*result);
      return ImportStatus::kImported;
    }
    messages_.Show(result.failure().message);
    ended_ = result.failure().kind == FailureKind::kProgramEnded;
    return ended_ ? ImportStatus::kProgramEnded : ImportStatus::kRejected;
  }

  // Highest station index of the last accepted file.
  int32_t StationCount() const { return static_cast<int32_t>(stations_.sides.at(0).size()) - 1; }

  const StationRecord& U(size_t i) const { return stations_.sides.at(0).at(i); }
  const StationRecord& L(size_t i) const { return stations_.sides.at(0).at(i); }
  const StationRecord& R(size_t i) const { return stations_.sides.at(1).at(i); }

  TemporaryFolder folder_{"vantrels-import"};
  const std::filesystem::path& dir_ = folder_.path();
  RoadwayStations stations_;
  ImportMemory memory_;
  RecordingMessages messages_;
  // The last import ended with the wrong-side stop.
  bool ended_ = false;
};

}  // namespace vantrels::import_test
