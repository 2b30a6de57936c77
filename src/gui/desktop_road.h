#pragma once

#include <functional>
#include <string>
#include <vector>

#include "book/road.h"
#include "layout/surface.h"
#include "model/book.h"
#include "model/messages.h"
#include "model/result.h"

namespace vantrels {

// What the road asks the user on the way.
struct PreviewQuestions {
  // A LandXML file with several alignments that have cross sections: their names in file
  // order in, the name chosen out, or a kCancelled failure. Without it such a file is refused
  // with the names listed.
  std::function<Result<std::string>(const std::vector<std::string>& names)> choose_alignment;
  // Asked once the file has given a book: what to lay it out on (null keeps the page measured
  // last).
  std::function<Surface*()> choose_printer;
};

// The road of BuildBook for the desktop: a criteria report, or a LandXML file with its alignment
// asked when there are several. The file is read here, so that one that cannot be read is
// refused in the classify frame with its path and the reason. A failure computed nothing, so
// the book on show stays whole; a wait cursor shows while the road works.
Result<ImportedBook> BuildPreviewBook(const std::string& path, const PreviewQuestions& ask,
                                       RoadMemory& memory, Messages& messages);

// What the status line says after a preview: ReadSummary, then the import's notes, "; "
// between them.
std::string PreviewSummary(const ImportedBook& previewed);

}  // namespace vantrels
