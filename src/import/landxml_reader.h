#pragma once

#include <cstddef>
#include <string_view>

#include "import/landxml_document.h"
#include "model/result.h"

namespace vantrels {

// The most design points one cross section may hold. Real sections hold tens to a few hundred;
// the bound keeps the finished-grade search, which compares every point with every segment,
// quick on any file.
inline constexpr size_t kMaxDesignPoints = 5000;

// True when the bytes begin, after a byte order mark and blanks, with '<': an XML document
// rather than a criteria report.
bool LooksLikeXml(std::string_view bytes);

// Reads a LandXML 1.0 to 1.2 file (UTF-8, or UTF-16 with its byte order mark): units, and per
// alignment its station equations, first design profile and cross sections. Anything else in
// the file is skipped. Fails with one message naming the line ("LandXML line 41: ...") for XML
// that is not well-formed and for anything the book needs that is missing or unreadable.
Result<LandXmlFile> ReadLandXml(std::string_view bytes);
// The same, taking the bytes over: the XML is parsed where it lies, so reading needs no second
// copy of the file.
Result<LandXmlFile> ReadLandXmlInPlace(std::string bytes);

}  // namespace vantrels
