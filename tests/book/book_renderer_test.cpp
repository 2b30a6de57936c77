#include "book/book_renderer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "book/road.h"
#include "layout/text_surface.h"

namespace vantrels {
namespace {

// A side book of `stations` one-row stations named "<prefix><n>".
SideBook SideOf(std::optional<Side> which, const std::string& prefix, int stations) {
  SideBook side;
  side.side = which;
  for (int n = 0; n < stations; ++n) {
    ReportRecord& r = side.report.emplace_back();
    r.cross_section = true;
    r.region_station = prefix + std::to_string(n);
    r.cells.push_back(Cell{"CL", "0.00", "100.00", ""});
  }
  return side;
}

// Eight stations fit a 96 x 63 page: 9 stations make two pages, 20 make three.
Book Counted(Roadway roadway, std::vector<int> stations) {
  Book book;
  book.roadway = roadway;
  if (roadway == Roadway::Undivided) {
    book.sides.push_back(SideOf(std::nullopt, "U", stations[0]));
  } else {
    book.sides.push_back(SideOf(Side::Left, "L", stations[0]));
    book.sides.push_back(SideOf(Side::Right, "R", stations[1]));
  }
  RecordingMessages messages;
  EXPECT_TRUE(CountBook(book, {96, 63}, messages).ok());
  EXPECT_TRUE(messages.shown.empty());
  return book;
}

PageContext Context() {
  PageContext context;
  context.project_number = "P-1";
  context.heading_date = "01 02 2003";
  return context;
}

// The page label of every page of the document, as the text printer drew it.
std::vector<std::string> Labels(const TextSurface& printer) {
  std::vector<std::string> labels;
  for (int p = 0; p < printer.Pages(); ++p) {
    const std::string row = printer.Row(p, 1);
    const size_t at = row.find("Page No.");
    labels.push_back(at == std::string::npos ? "" : row.substr(row.rfind(' ', at) + 1));
  }
  return labels;
}

class FailingPrinter : public TextSurface {
 public:
  using TextSurface::TextSurface;
  Status EndDoc() override { return Rejected("The printer could not start the document"); }
};

TEST(BookRenderer, PrintsEveryPageLeftBeforeRightOnePageEach) {
  const Book book = Counted(Roadway::Divided, {9, 20});
  RecordingMessages messages;
  TextSurface printer(96, 63);
  const auto printed = BookRenderer(book, Context(), messages).Print(printer, WholeBook(book));
  ASSERT_TRUE(printed.ok());
  EXPECT_EQ(Labels(printer),
            (std::vector<std::string>{"(Left)Page No.:1 of 2", "(Left)Page No.:2 of 2",
                                      "(Right)Page No.:1 of 3", "(Right)Page No.:2 of 3",
                                      "(Right)Page No.:3 of 3"}));
  ASSERT_EQ(printed->size(), 5u);
  EXPECT_EQ((*printed)[1].position, (BookPosition{Side::Left, 1}));
  EXPECT_EQ((*printed)[4].position, (BookPosition{Side::Right, 2}));
  // Drawing finds every next page where counting put it.
  for (const PrintedPage& page : *printed) {
    const SideBook& side = book.Of(page.position.side);
    EXPECT_EQ(page.next, side.page_starts[static_cast<size_t>(page.position.page) + 1]);
  }
  EXPECT_NE(printer.Row(0, 2).find("Project No: P-1"), std::string::npos);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(BookRenderer, PrintsOnlyTheSelectedPagesOfOneSide) {
  const Book book = Counted(Roadway::Divided, {9, 20});
  RecordingMessages messages;
  TextSurface printer(96, 63);
  const auto printed =
      BookRenderer(book, Context(), messages).Print(printer, {PageSpan{Side::Right, 1, 2}});
  EXPECT_EQ(Labels(printer),
            (std::vector<std::string>{"(Right)Page No.:2 of 3", "(Right)Page No.:3 of 3"}));
  ASSERT_TRUE(printed.ok());
  ASSERT_EQ(printed->size(), 2u);
  EXPECT_EQ(printed->back().position, (BookPosition{Side::Right, 2}));
}

TEST(BookRenderer, WholeUndividedBookIsOneSpan) {
  const Book book = Counted(Roadway::Undivided, {20});
  const PageSelection whole = WholeBook(book);
  ASSERT_EQ(whole.size(), 1u);
  EXPECT_EQ(whole[0].first, 0);
  EXPECT_EQ(whole[0].last, 2);
  const Book divided = Counted(Roadway::Divided, {9, 1});
  ASSERT_EQ(WholeBook(divided).size(), 2u);
  EXPECT_EQ(WholeBook(divided)[1].side, Side::Right);
  EXPECT_EQ(WholeBook(divided)[1].last, 0);
}

TEST(BookRenderer, RendersOnePageWithoutStartingAnother) {
  const Book book = Counted(Roadway::Undivided, {20});
  RecordingMessages messages;
  TextSurface surface(96, 63);
  const std::optional<PageStart> next =
      BookRenderer(book, Context(), messages).RenderPage(surface, {Side::Left, 1});
  ASSERT_TRUE(surface.EndDoc().ok());
  EXPECT_EQ(next, (PageStart{16, 0}));
  EXPECT_EQ(Labels(surface), std::vector<std::string>{"Page No.:2 of 3"});
  EXPECT_NE(surface.Render().find("U8"), std::string::npos);
  EXPECT_EQ(surface.Render().find("U7"), std::string::npos);
}

TEST(BookRenderer, LaysPagesOutOnTheBooksPageWhateverTheContextSays) {
  Book book = Counted(Roadway::Undivided, {3});
  PageContext context = Context();
  context.page = {200, 100};
  RecordingMessages messages;
  TextSurface surface(96, 63);
  BookRenderer printer(book, context, messages);
  EXPECT_EQ(printer.Context().page, book.page);
  printer.RenderPage(surface, {});
  ASSERT_TRUE(surface.EndDoc().ok());
  // 96 - 30 = column 66.
  EXPECT_EQ(surface.Row(0, 1).find("Page No.:1 of 1"), 66u);
}

TEST(BookRenderer, APrinterFailureIsReportedWithThePagesDrawnSoFar) {
  const Book book = Counted(Roadway::Undivided, {9});
  RecordingMessages messages;
  FailingPrinter printer(96, 63);
  const auto printed = BookRenderer(book, Context(), messages).Print(printer, WholeBook(book));
  ASSERT_FALSE(printed.ok());
  EXPECT_EQ(printed.failure(), Rejected("The printer could not start the document"));
  // Both pages stay drawn on the printer for its owner to discard.
  EXPECT_EQ(printer.Row(0, 1).find("Page No.:1 of 2"), 66u);
  EXPECT_EQ(printer.Row(1, 1).find("Page No.:2 of 2"), 66u);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(BookRenderer, APageTheBookDoesNotHaveIsReportedAndPrintingGoesOn) {
  const Book book = Counted(Roadway::Undivided, {3});
  RecordingMessages messages;
  TextSurface printer(96, 63);
  const auto printed =
      BookRenderer(book, Context(), messages).Print(printer, {PageSpan{Side::Left, 0, 2}});
  ASSERT_TRUE(printed.ok());
  ASSERT_EQ(printed->size(), 3u);
  EXPECT_EQ((*printed)[0].next, (PageStart{3, 0}));
  // The start after the last page is known: that page shows only its heading and label.
  EXPECT_EQ((*printed)[1].next, (PageStart{3, 0}));
  EXPECT_FALSE((*printed)[2].next);
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"Program Error: Page 2 is outside the page table occured in "
                                     "ToPrintAllForms"});
}

}  // namespace
}  // namespace vantrels
