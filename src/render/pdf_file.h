#pragma once

#include <string>

namespace vantrels {

// Why the PDF file at `path` is not a whole document, judged by its ends: a "%PDF-" header, and
// a "startxref" offset before the final "%%EOF" that points at the cross-reference section.
// A file cut short by a full disk or a stopped writer fails. Empty when the file is whole.
std::string IncompletePdf(const std::string& path);

}  // namespace vantrels
