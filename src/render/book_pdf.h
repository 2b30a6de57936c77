#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "book/book_renderer.h"
#include "layout/surface.h"
#include "model/book.h"
#include "model/output_file.h"
#include "model/result.h"
#include "model/units.h"
#include "render/pdf_outline.h"

namespace vantrels {

// The title of a book's PDF, UTF-8: the criteria file's name (without its folder; bytes that
// are not UTF-8 shown as U+FFFD) and the project number of the heading (Windows-1252),
// "undivided.csv, Project No: 45-017-02"; the file's name alone when the project is empty.
std::string BookPdfTitle(const std::string& criteria_file, const std::string& project);

// The bookmarks of a PDF holding `selection`'s pages of `book`, in the order of the Go To
// lists: each station under "Left side" or "Right side" for a divided roadway, the stations
// alone for an undivided one, each opening the first page of the PDF it is drawn on.
std::vector<OutlineEntry> BookOutline(const Book& book, const PageSelection& selection);

// The printer surface that draws a PDF of `paper` into the file Qt opens at `path` (ASCII).
using PdfSurfaceMaker = std::function<std::unique_ptr<Surface>(const QString& path, Paper paper)>;

// Writes `selection`'s pages of the printer's book as a PDF file of `paper` (quarter-inch
// margins) with its bookmarks (BookOutline), `title` (UTF-8) and the program as its creator,
// then commits `output`, so the target is replaced only by the whole document. `output` has
// been opened by the caller (which checks the target and the inputs it must not replace); the
// book was counted on the page MakePdfPrinter(paper) measures. The pages are drawn into an
// unnamed file in memory, so the target's name reaches the system byte for byte; `make_surface`
// draws them (a PrinterSurface on MakePdfPrinter when empty). A failure says why the file could
// not be written; the output is then discarded, or in place but not flushed (in_place()).
Status WriteBookPdf(const BookRenderer& book_renderer, const PageSelection& selection, Paper paper,
                    const std::string& title, OutputFile& output,
                    const PdfSurfaceMaker& make_surface = {});

}  // namespace vantrels
