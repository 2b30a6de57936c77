#include "render/pdf_outline.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPainter>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "render/pdf_file.h"
#include "render/pdf_read_back.h"
#include "render/print_service.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string TempPath(const std::string& name) {
  return TestTempPath("pdf_outline", name);
}

// A PDF of `pages` empty Letter pages, written by qpdf with a classic cross-reference table or
// with object streams (a cross-reference stream).
std::string BlankPdf(const std::string& name, int pages, bool object_streams = false) {
  const std::string path = TempPath(name);
  WriteBlankPdf(path, pages, object_streams);
  return path;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

// Outline entries compare whole, children included.
using Found = PdfOutlineEntry;

}  // namespace

bool operator==(const PdfOutlineEntry& a, const PdfOutlineEntry& b) {
  return a.title == b.title && a.page == b.page && a.count == b.count && a.children == b.children;
}

void PrintTo(const PdfOutlineEntry& f, std::ostream* out) {
  *out << "{\"" << f.title << "\" page " << f.page << " count " << f.count;
  for (const PdfOutlineEntry& child : f.children) {
    *out << " ";
    PrintTo(child, out);
  }
  *out << "}";
}

namespace {

PdfReadBack Read(const std::string& path) {
  return ReadPdfBack(path);
}

// Writes `source` with `info` to `target` through an output file and commits it.
std::string WithOutline(const std::string& source, const PdfBookInfo& info,
                        const std::string& target) {
  OutputFile out(target);
  if (Status opened = out.Open(); !opened) return "open: " + opened.failure().message;
  if (Status written = WritePdfWithOutline(ReadAll(source), info, out); !written) {
    return written.failure().message;
  }
  Status committed = out.Commit();
  return committed ? "" : "commit: " + committed.failure().message;
}

TEST(PdfOutline, AnUndividedBookHasOneLevelOfStations) {
  const std::string source = BlankPdf("undivided.pdf", 3);
  const std::string target = TempPath("undivided_outlined.pdf");
  const PdfBookInfo info{
      "undivided.csv 45-017-02",
      {{"2389+00.00 R1", 0, {}}, {"2390+00.00 R1", 0, {}}, {"2391+00.00 R1", 2, {}}}};
  ASSERT_EQ(WithOutline(source, info, target), "");
  const PdfReadBack back = Read(target);
  EXPECT_EQ(back.pages, 3u);
  EXPECT_THAT(back.outline,
              ElementsAre(Found{"2389+00.00 R1", 0, 0, {}}, Found{"2390+00.00 R1", 0, 0, {}},
                          Found{"2391+00.00 R1", 2, 0, {}}));
  EXPECT_EQ(back.outline_count, 3);
  EXPECT_EQ(back.title, "undivided.csv 45-017-02");
  EXPECT_EQ(back.creator, "vantrels");
  EXPECT_EQ(back.page_mode, "/UseOutlines");
}

TEST(PdfOutline, ADividedBookNestsEachSidesStationsUnderTheSide) {
  const std::string source = BlankPdf("divided.pdf", 5);
  const std::string target = TempPath("divided_outlined.pdf");
  PdfBookInfo info;
  info.title = "divided.csv";
  info.outline =
      SideOutline({{"2389+00.00 R2", 0, {}}, {"2390+00.00 R2", 1, {}}},
                  {{"2389+00.00 R2", 2, {}}, {"2390+00.00 R2", 3, {}}, {"2391+00.00 R2", 4, {}}});
  ASSERT_EQ(WithOutline(source, info, target), "");
  const PdfReadBack back = Read(target);
  // The sides are closed: a reader shows two entries until one is opened.
  EXPECT_THAT(
      back.outline,
      ElementsAre(
          Found{"Left side", 0, -2, {{"2389+00.00 R2", 0, 0, {}}, {"2390+00.00 R2", 1, 0, {}}}},
          Found{"Right side",
                2,
                -3,
                {{"2389+00.00 R2", 2, 0, {}},
                 {"2390+00.00 R2", 3, 0, {}},
                 {"2391+00.00 R2", 4, 0, {}}}}));
  EXPECT_EQ(back.outline_count, 2);
}

TEST(PdfOutline, ASideThatIsNotChosenHasNoEntry) {
  const std::vector<OutlineEntry> stations = {{"A", 3, {}}, {"B", 4, {}}};
  for (const bool left : {true, false}) {
    const std::vector<OutlineEntry> one =
        left ? SideOutline(stations, {}) : SideOutline({}, stations);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].title, left ? "Left side" : "Right side");
    EXPECT_EQ(one[0].page, 3);
    ASSERT_EQ(one[0].children.size(), 2u);
    EXPECT_EQ(one[0].children[1].title, "B");
  }
  EXPECT_TRUE(SideOutline({}, {}).empty());
}

TEST(PdfOutline, TitlesAreReadAsTheBookShowsThem) {
  const struct {
    const char* windows_1252;
    const char* shown;
  } cases[] = {
      {"2389+00.00 R1", "2389+00.00 R1"},
      {"\x80 5", "\u20ac 5"},
      {"M\xfcller-Stra\xdf"
       "e",
       "M\u00fcller-Stra\u00dfe"},
      {"\x93quoted\x94 \x96 \x85", "\u201cquoted\u201d \u2013 \u2026"},
      {"\x9f\x8a\xb0", "\u0178\u0160\u00b0"},
  };
  const std::string source = BlankPdf("titles.pdf", 1);
  PdfBookInfo info;
  for (const auto& c : cases) info.outline.push_back({c.windows_1252, 0, {}});
  // A character outside the PDF's 8-bit text encoding: the title goes in UTF-16.
  info.title = "M\u00fcller-Stra\u00dfe \u21165.csv";
  const std::string target = TempPath("titles_outlined.pdf");
  ASSERT_EQ(WithOutline(source, info, target), "");
  const PdfReadBack back = Read(target);
  ASSERT_EQ(back.outline.size(), std::size(cases));
  for (size_t n = 0; n < std::size(cases); ++n) EXPECT_EQ(back.outline[n].title, cases[n].shown);
  EXPECT_EQ(back.title, info.title);
  EXPECT_EQ(back.title_bytes.substr(0, 2), "\xfe\xff");
}

TEST(PdfOutline, FailuresAreReportedAndNothingIsCommitted) {
  const std::string source = ReadAll(BlankPdf("failures.pdf", 2));
  const struct {
    const char* name;
    std::string source;
    PdfBookInfo info;
    const char* problem;
  } cases[] = {
      {"page past the end",
       source,
       {"t", {{"A", 2, {}}}},
       "the bookmark \"A\" opens page 3 of a document of 2 pages"},
      {"nested page past the end",
       source,
       {"t", {{"Left side", 0, {{"A", 0, {}}, {"B", 7, {}}}}}},
       "the bookmark \"B\" opens page 8 of a document of 2 pages"},
      {"negative page",
       source,
       {"t", {{"A", -1, {}}}},
       "the bookmark \"A\" opens page 0 of a document of 2 pages"},
      {"cut source", source.substr(0, source.size() / 2), {"t", {}}, "end-of-file mark"},
      {"empty source", "", {"t", {}}, "the PDF file is empty"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string target = TempPath("failed.pdf");
    fs::remove(target);
    OutputFile out(target);
    ASSERT_TRUE(out.Open());
    const Status written = WritePdfWithOutline(c.source, c.info, out);
    ASSERT_FALSE(written);
    EXPECT_THAT(written.failure().message, HasSubstr(c.problem));
    out.Discard();
    EXPECT_FALSE(fs::exists(target));
  }
}

TEST(PdfOutline, AQtPdfKeepsItsPagesAndGainsTheOutline) {
  const std::string source = TempPath("qt.pdf");
  {
    auto printer = MakePdfPrinter(QString::fromStdString(source));
    QPainter painter;
    ASSERT_TRUE(painter.begin(printer.get()));
    for (int page = 0; page < 3; ++page) {
      if (page > 0) {
        ASSERT_TRUE(printer->newPage());
      }
      painter.drawText(100, 100, QString("page %1").arg(page + 1));
    }
    ASSERT_TRUE(painter.end());
  }
  const std::string source_bytes = ReadAll(source);
  const Result<PdfDocument> pages = ReadPdf(source_bytes);
  ASSERT_TRUE(pages);
  const std::string target = TempPath("qt_outlined.pdf");
  ASSERT_EQ(WithOutline(source, {"qt.csv", {{"first", 0, {}}, {"last", 2, {}}}}, target), "");
  const PdfReadBack back = Read(target);
  EXPECT_FALSE(back.damaged);
  EXPECT_EQ(back.pages, 3u);
  EXPECT_THAT(back.outline, ElementsAre(Found{"first", 0, 0, {}}, Found{"last", 2, 0, {}}));
  EXPECT_EQ(back.title, "qt.csv");
  EXPECT_EQ(back.creator, "vantrels");
  // The pages' streams are copied byte for byte; the other objects are packed.
  const std::string written = ReadAll(target);
  for (const PdfObject& object : pages->objects) {
    if (object.stream) {
      EXPECT_THAT(written, HasSubstr(std::string(object.whole)));
    }
  }
  EXPECT_LT(written.size(), source_bytes.size() + 1000);
}

TEST(ReadPdf, AWholeDocumentIsReadAndACutOneIsNot) {
  const std::string table = ReadAll(BlankPdf("whole_table.pdf", 40));
  const std::string stream = ReadAll(BlankPdf("whole_stream.pdf", 40, true));
  ASSERT_THAT(stream, HasSubstr("/XRef"));
  const struct {
    const char* name;
    std::string bytes;
    const char* problem;
  } cases[] = {
      {"whole with a table", table, nullptr},
      {"trailing line ends", table + "\r\n\n", nullptr},
      {"half", table.substr(0, table.size() / 2), "ends before its end-of-file mark"},
      {"all but the end mark", table.substr(0, table.rfind("%%EOF")),
       "ends before its end-of-file mark"},
      {"table cut off",
       table.substr(0, table.rfind("\nxref") + 1) + table.substr(table.rfind("trailer")),
       "does not lead to its table"},
      {"another object where the table says", Replaced(table, "\n3 0 obj", "\n9 0 obj"),
       "no object 3 where its table says"},
      {"with a cross-reference stream", stream, "has a cross-reference stream"},
      {"empty", "", "the PDF file is empty"},
      {"not a PDF", "criteria,file\r\n%%EOF\r\n", "does not start as a PDF"},
      {"offset past the end", "%PDF-1.4\nstartxref\n999999\n%%EOF\n", "outside the file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Result<PdfDocument> read = ReadPdf(c.bytes);
    if (!c.problem) {
      ASSERT_TRUE(read) << read.failure().message;
      EXPECT_EQ(read->pages.size(), 40u);
      EXPECT_EQ(read->pages[0].top, 792.0);
    } else {
      ASSERT_FALSE(read);
      EXPECT_THAT(read.failure().message, HasSubstr(c.problem));
    }
  }
}

}  // namespace
}  // namespace vantrels
