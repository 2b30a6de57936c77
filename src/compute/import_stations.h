#pragma once

#include <string>
#include <string_view>

#include "compute/landxml_stations.h"
#include "import/criteria_file.h"
#include "model/messages.h"
#include "model/result.h"

namespace vantrels {

// The one entry for every input file: tells a LandXML file from a criteria report by its content,
// whatever its name (a file whose first line names a criteria report is one; else one that
// begins with '<' is XML), and imports either into the stations of a book.
// A criteria report imports as it always has (`choices` unused; `memory` as the criteria import
// keeps it, and its messages that do not stop the import go to `messages`); a LandXML file as
// StationsFromLandXml gives it. Every failure is one Failure with its exact message text.
Result<ImportedStations> ImportStations(std::string_view bytes, const ImportChoices& choices,
                                        ImportMemory& memory, Messages& messages);

// The same for the file at `path`, read whole (up to kInputFileLimit) as the criteria import
// reads it.
Result<ImportedStations> ImportStationsFromFile(const std::string& path,
                                                const ImportChoices& choices, ImportMemory& memory,
                                                Messages& messages);

}  // namespace vantrels
