#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "book/book_document.h"
#include "book/page_list.h"
#include "book/road.h"
#include "gui/book_viewer.h"
#include "gui/page_list_dialog.h"
#include "gui/print_controller.h"
#include "gui/print_range_dialog.h"
#include "gui/window_support.h"
#include "render/pdf_tools.h"
#include "render/qt_text.h"
#include "render/report_fonts.h"
#include "scripted_modal.h"
#include "widget_lookup.h"

namespace vantrels {
namespace {

using gui_test::Child;
namespace pr = object_names::print_range;
namespace pl = object_names::page_list;

// The controls of the print range and page list windows.
template <typename Widget>
Widget* In(QWidget& window, const char* name) {
  return &Child<Widget>(window, name);
}
QLabel* Label(QWidget& window, const char* name) {
  return In<QLabel>(window, name);
}
QLineEdit* Box(QWidget& window, const char* name) {
  return In<QLineEdit>(window, name);
}
QPushButton* Button(QWidget& window, const char* name) {
  return In<QPushButton>(window, name);
}
QComboBox* SideList(QWidget& window) {
  return In<QComboBox>(window, pr::kSide);
}
QComboBox* Pages(QWidget& window) {
  return In<QComboBox>(window, pl::kList);
}

using Entries = std::vector<std::string>;

// The message after the pages went to the PDF file at `path`.
std::string SentToPdf(const QString& path) {
  return "Pages have been sent to PDF file \"" + path.toStdString() + "\" printer.";
}
const std::string kOrderMessage = " From Page should be smaller than To Page, Please correct";

Entries ListEntries(const QComboBox* list) {
  Entries entries;
  for (int i = 0; i < list->count(); ++i) entries.push_back(ToReportBytes(list->itemText(i)));
  return entries;
}

// The widgets Tab visits from `first` until it comes back to it.
std::vector<QWidget*> TabStopsFrom(QWidget* first) {
  std::vector<QWidget*> stops{first};
  for (QWidget* w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden() && w->isEnabled()) stops.push_back(w);
  }
  return stops;
}

// The dialogs over a counted book, with every modal window run by a scripted step.
class PrintRange : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    printing_.Choose(PrinterChoice{"PDF file", "Courier New"});
    printing_.ask_pdf_file = [this] {
      ++pdf_files_asked_;
      last_pdf_ = dir_.filePath(QString("out%1.pdf").arg(pdf_files_asked_));
      return last_pdf_;
    };
    SetModalRunner([this](QDialog& dialog) { return RunScriptedStep(steps_, dialog); });
    viewer_ = std::make_unique<BookViewer>(document_, printing_, messages_);
  }

  void TearDown() override {
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " scripted steps were not run";
    SetModalRunner(nullptr);
    viewer_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The preview's road: import, count, and the book on show.
  void LoadFile(const std::string& path) {
    Result<ImportedBook> road = BuildBook(path, {}, &printing_.LayoutTarget(), memory_, messages_);
    ASSERT_TRUE(road.ok());
    PageContext heading;
    heading.report_font = "Courier New";
    heading.heading_date = "05 02 2024";
    document_.Show(std::move(road->book), heading, {});
    ASSERT_TRUE(messages_.shown.empty()) << messages_.shown.front();
  }
  void Load(const char* example) { LoadFile(std::string(VANTRELS_EXAMPLES) + "/" + example); }

  PrintRangeDialog& Range() { return viewer_->printRangeWindow(); }
  PageListDialog& PageList() { return Range().pageList(); }

  // Runs the print range window with `step` (before the page list steps it opens) and prints what
  // it chose.
  void PrintWith(std::function<void(PrintRangeDialog&)> step) {
    steps_.push_front([step](QDialog& dialog) { step(dynamic_cast<PrintRangeDialog&>(dialog)); });
    viewer_->printSelectedPages();
  }

  // Picks list position `index` in the page list when a " . . ." button shows it.
  void PickNext(int index) {
    steps_.push_back([index](QDialog& dialog) {
      auto& page_list = dynamic_cast<PageListDialog&>(dialog);
      Pages(page_list)->setCurrentIndex(index);
      emit Pages(page_list)->activated(index);
    });
  }

  static bool CanCheckPdf() {
    return testing::HaveTool("pdfinfo") && testing::HaveTool("pdftotext") &&
           IsFontAvailable("Courier New");
  }

  // The page labels of the PDF written last, one per sheet: "Page No.:3 of 10" or
  // "(Right)Page No.:2 of 5".
  Entries PrintedLabels() const {
    Entries labels;
    const std::vector<testing::PdfWord> words = testing::PdfWords(last_pdf_);
    for (size_t i = 0; i + 3 < words.size(); ++i) {
      if (words[i].text.endsWith("Page") && words[i + 1].text.startsWith("No.:")) {
        EXPECT_EQ(words[i].page, static_cast<int>(labels.size()) + 1);
        labels.push_back((words[i].text + " " + words[i + 1].text + " " + words[i + 2].text + " " +
                          words[i + 3].text)
                             .toStdString());
      }
    }
    EXPECT_EQ(testing::PdfPageCount(last_pdf_), static_cast<int>(labels.size()));
    return labels;
  }

  static Entries Labels(const std::string& prefix, int from, int to, int total) {
    Entries labels;
    for (int page = from; page <= to; ++page) {
      labels.push_back(prefix + "Page No.:" + std::to_string(page) + " of " +
                       std::to_string(total));
    }
    return labels;
  }

  RecordingMessages messages_;
  QtPrintService printers_{{}, ""};
  BookDocument document_;
  PrintController printing_{printers_, messages_};
  RoadMemory memory_;
  std::unique_ptr<BookViewer> viewer_;
  ModalSteps steps_;
  QTemporaryDir dir_;
  int pdf_files_asked_ = 0;
  QString last_pdf_;
};

TEST(PageListKeys, KeysMoveInTheListWithoutClosingItAndEnterPicks) {
  PageListDialog window;
  window.showPages(std::vector<std::string>(10, "entry"));
  QComboBox* list = Pages(window);
  const struct {
    Qt::Key key;
    int current;
    bool picked;
  } steps[] = {
      {Qt::Key_Down, 1, false}, {Qt::Key_Down, 2, false},  {Qt::Key_End, 9, false},
      {Qt::Key_Up, 8, false},   {Qt::Key_Return, 8, true}, {Qt::Key_Home, 0, false},
      {Qt::Key_Enter, 0, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(QKeySequence(step.key).toString().toStdString());
    if (!window.isVisible()) window.show();
    QTest::keyClick(list, step.key);
    EXPECT_EQ(list->currentIndex(), step.current);
    EXPECT_EQ(window.isVisible(), !step.picked);
    EXPECT_EQ(window.pickedPage(), step.current + 1);
  }
}

TEST_F(PrintRange, UndividedBookLoadsTotalAndPageList) {
  Load("undivided.csv");
  PrintRangeDialog& form = Range();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), "Print Selected Pages");
  EXPECT_EQ(Label(form, pr::kRoadwayCaption)->text(), "Roadway Type:");
  EXPECT_EQ(Label(form, pr::kRoadwayType)->text(), "UNDIVIDED");
  EXPECT_TRUE(SideList(form)->isHidden());
  EXPECT_EQ(SideList(form)->count(), 2);
  EXPECT_EQ(SideList(form)->itemText(0), "LeftSide");
  EXPECT_EQ(SideList(form)->itemText(1), "RightSide");
  EXPECT_EQ(Label(form, pr::kTotalCaption)->text(), "Total Number of Pages:");
  EXPECT_EQ(Label(form, pr::kTotal)->text(), "10");
  EXPECT_EQ(Label(form, pr::kFromCaption)->text(), "Print Pages From:");
  EXPECT_EQ(Label(form, pr::kToCaption)->text(), "To:");
  EXPECT_EQ(Button(form, pr::kPickFromPage)->text(), " . . .");
  EXPECT_EQ(Button(form, pr::kPickToPage)->text(), " . . .");
  EXPECT_EQ(Button(form, pr::kCancel)->text(), "Cancel");
  EXPECT_EQ(Button(form, pr::kPrint)->text(), "Print");
  EXPECT_EQ(Box(form, pr::kFromPage)->text(), "");
  EXPECT_EQ(Box(form, pr::kToPage)->text(), "");
  EXPECT_EQ(TabStopsFrom(Button(form, pr::kPrint)),
            (std::vector<QWidget*>{Button(form, pr::kPrint), Button(form, pr::kCancel),
                                   Box(form, pr::kFromPage), Button(form, pr::kPickFromPage),
                                   Box(form, pr::kToPage), Button(form, pr::kPickToPage)}));

  PageListDialog& page_list = PageList();
  EXPECT_EQ(page_list.windowTitle(), "Select Page Number");
  EXPECT_EQ(Label(page_list, pl::kPageHeading)->text(), "Page#");
  EXPECT_EQ(Label(page_list, pl::kStartHeading)->text(), "Start Station");
  EXPECT_EQ(Label(page_list, pl::kEndHeading)->text(), "End Station");
  const Entries entries = ListEntries(Pages(page_list));
  // Regression: the last page was not listed, so it could not be picked.
  ASSERT_EQ(entries.size(), 10u);
  EXPECT_EQ(entries[0], "1     2389+00.00 R1        2390+00.00 R1");
  EXPECT_EQ(entries[1], "2     2390+50.00 R1        2391+50.00 R1");
  EXPECT_EQ(entries[8].substr(0, 6), "9     ");
  EXPECT_EQ(entries[9].substr(0, 7), "10     ");
  EXPECT_EQ(Pages(page_list)->currentIndex(), 0);
  EXPECT_EQ(page_list.pickedPage(), 1);
}

TEST_F(PrintRange, SideListSwitchesTotalAndPageListOfADividedBook) {
  Load("divided.csv");
  PrintRangeDialog& form = Range();
  EXPECT_EQ(Label(form, pr::kRoadwayType)->text(), "DIVIDED");
  EXPECT_FALSE(SideList(form)->isHidden());
  EXPECT_EQ(SideList(form)->currentText(), "LeftSide");
  EXPECT_EQ(Label(form, pr::kTotalCaption)->text(), "Total Left Side Pages:");
  EXPECT_EQ(Label(form, pr::kTotal)->text(), "5");
  EXPECT_EQ(
      TabStopsFrom(Button(form, pr::kPrint)),
      (std::vector<QWidget*>{Button(form, pr::kPrint), Button(form, pr::kCancel), SideList(form),
                             Box(form, pr::kFromPage), Button(form, pr::kPickFromPage),
                             Box(form, pr::kToPage), Button(form, pr::kPickToPage)}));
  Entries entries = ListEntries(Pages(PageList()));
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0], "1     2389+00.00 R2        2390+50.00 R2");

  PageList().pickEntry(3);
  ASSERT_EQ(PageList().pickedPage(), 4);
  SideList(form)->setCurrentIndex(1);
  emit SideList(form)->activated(1);
  EXPECT_EQ(Label(form, pr::kTotalCaption)->text(), "Total Right Side Pages:");
  EXPECT_EQ(Label(form, pr::kTotal)->text(), "5");
  entries = ListEntries(Pages(PageList()));
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[1], "2     2391+00.00 R2        2392+50.00 R2");
  EXPECT_EQ(PageList().pickedPage(), 1);

  // A click on the roadway type puts the side list back to the left side.
  QTest::mouseClick(Label(form, pr::kRoadwayType), Qt::LeftButton);
  EXPECT_EQ(SideList(form)->currentText(), "LeftSide");
  EXPECT_EQ(Label(form, pr::kTotalCaption)->text(), "Total Left Side Pages:");
  EXPECT_EQ(ListEntries(Pages(PageList()))[0], "1     2389+00.00 R2        2390+50.00 R2");
}

TEST_F(PrintRange, NextBookOfTheOtherRoadwayTypeRefreshesTheKeptWindow) {
  Load("divided.csv");
  SideList(Range())->setCurrentIndex(1);
  emit SideList(Range())->activated(1);
  Load("undivided.csv");
  EXPECT_TRUE(SideList(Range())->isHidden());
  EXPECT_EQ(Label(Range(), pr::kTotalCaption)->text(), "Total Number of Pages:");
  EXPECT_EQ(Label(Range(), pr::kTotal)->text(), "10");
  const Entries entries = ListEntries(Pages(PageList()));
  ASSERT_EQ(entries.size(), 10u);
  EXPECT_EQ(entries[0], "1     2389+00.00 R1        2390+00.00 R1");
}

TEST_F(PrintRange, TypedRangesPrintThoseUndividedPages) {
  if (!CanCheckPdf()) GTEST_SKIP() << "pdfinfo / pdftotext (poppler-utils) or fonts missing";
  Load("undivided.csv");
  const struct {
    const char* from;
    const char* to;
    int first;
    int last;
  } cases[] = {
      {"3", "5", 3, 5}, {"", "4", 1, 4}, {"1", "1", 1, 1}, {"", "", 1, 1}, {" 10 ", "10", 10, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " to " + c.to);
    messages_.shown.clear();
    PrintWith([&](PrintRangeDialog& form) {
      Box(form, pr::kFromPage)->setText(c.from);
      Box(form, pr::kToPage)->setText(c.to);
      Button(form, pr::kPrint)->click();
    });
    EXPECT_EQ(messages_.shown, Entries{SentToPdf(last_pdf_)});
    EXPECT_EQ(PrintedLabels(), Labels("", c.first, c.last, 10));
    // The viewer's place is the page it shows, not the last page printed.
    EXPECT_EQ(document_.place().page, 0);
    // "Print" only hides the window: the boxes keep their texts.
    ASSERT_TRUE(viewer_->printRangeWindowLoaded());
    EXPECT_EQ(Box(Range(), pr::kFromPage)->text(), c.from);
  }
}

TEST_F(PrintRange, PickedPagesGoIntoTheBoxesAndPrint) {
  if (!CanCheckPdf()) GTEST_SKIP() << "pdfinfo / pdftotext (poppler-utils) or fonts missing";
  Load("undivided.csv");
  PickNext(1);
  PickNext(3);
  PrintWith([](PrintRangeDialog& form) {
    Button(form, pr::kPickFromPage)->click();
    EXPECT_EQ(Box(form, pr::kFromPage)->text(), "2 ");
    Button(form, pr::kPickToPage)->click();
    EXPECT_EQ(Box(form, pr::kToPage)->text(), "4 ");
    Button(form, pr::kPrint)->click();
  });
  EXPECT_EQ(PageList().pickedPage(), 4);
  EXPECT_FALSE(PageList().isVisible());
  EXPECT_EQ(PrintedLabels(), Labels("", 2, 4, 10));
  EXPECT_EQ(messages_.shown, Entries{SentToPdf(last_pdf_)});
}

TEST_F(PrintRange, RightSideRangePrintsRightPagesAndTheViewerStaysOnItsSide) {
  if (!CanCheckPdf()) GTEST_SKIP() << "pdfinfo / pdftotext (poppler-utils) or fonts missing";
  Load("divided.csv");
  PickNext(2);
  PrintWith([](PrintRangeDialog& form) {
    SideList(form)->setCurrentIndex(1);
    emit SideList(form)->activated(1);
    Box(form, pr::kFromPage)->setText("2");
    Button(form, pr::kPickToPage)->click();
    EXPECT_EQ(Box(form, pr::kToPage)->text(), "3 ");
    Button(form, pr::kPrint)->click();
  });
  EXPECT_EQ(PrintedLabels(), Labels("(Right)", 2, 3, 5));
  EXPECT_EQ(document_.place(), (BookPosition{Side::Left, 0}));
}

TEST_F(PrintRange, BadRangesAreRejectedAndTheWindowStaysOpen) {
  Load("undivided.csv");
  const std::string from_bad = " From Page must be a whole number from 1 to 10, Please correct";
  const std::string to_bad = " To Page must be a whole number from 1 to 10, Please correct";
  const struct {
    const char* from;
    const char* to;
    std::string message;
  } cases[] = {
      {"5", "2", kOrderMessage}, {"3", "", kOrderMessage}, {"abc", "2", from_bad},
      {"0", "2", from_bad},      {"11", "", from_bad},     {"2.5", "3", from_bad},
      {"-1", "", from_bad},      {"1 2", "3", from_bad},   {"99999999999", "3", from_bad},
      {"1", "11", to_bad},       {"2", "x", to_bad},       {"11", "x", from_bad},
  };
  PrintWith([&](PrintRangeDialog& form) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.from) + " to " + c.to);
      messages_.shown.clear();
      Box(form, pr::kFromPage)->setText(c.from);
      Box(form, pr::kToPage)->setText(c.to);
      Button(form, pr::kPrint)->click();
      EXPECT_EQ(messages_.shown, Entries{c.message});
      EXPECT_TRUE(form.isVisible());
    }
    // A refused range gives no pages, whichever check refused it.
    messages_.shown.clear();
    Box(form, pr::kFromPage)->setText("5");
    Box(form, pr::kToPage)->setText("2");
    Button(form, pr::kPrint)->click();
    EXPECT_FALSE(form.range());
    Button(form, pr::kCancel)->click();
    EXPECT_FALSE(form.range());
  });
  EXPECT_EQ(pdf_files_asked_, 0);
  EXPECT_EQ(messages_.shown, Entries{kOrderMessage});
}

TEST_F(PrintRange, CancelIsToldApartFromTheFirstPageAlone) {
  Load("undivided.csv");
  PrintWith([](PrintRangeDialog& form) {
    Box(form, pr::kFromPage)->setText("1");
    Box(form, pr::kToPage)->setText("1");
    Button(form, pr::kPrint)->click();
    ASSERT_TRUE(form.range());
    EXPECT_EQ(form.range()->first, 0);
    EXPECT_EQ(form.range()->last, 0);
  });
  EXPECT_EQ(pdf_files_asked_, 1);
  if (CanCheckPdf()) {
    EXPECT_EQ(PrintedLabels(), Labels("", 1, 1, 10));
  }

  messages_.shown.clear();
  PrintWith([](PrintRangeDialog& form) {
    EXPECT_EQ(Box(form, pr::kFromPage)->text(), "1");
    Button(form, pr::kCancel)->click();
    EXPECT_FALSE(form.range());
  });
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_TRUE(messages_.shown.empty());
  // "Cancel" unloads the window: the next use loads it afresh with empty boxes.
  EXPECT_FALSE(viewer_->printRangeWindowLoaded());
  EXPECT_EQ(Box(Range(), pr::kFromPage)->text(), "");
  EXPECT_EQ(Label(Range(), pr::kTotal)->text(), "10");
}

TEST_F(PrintRange, FrameCloseActsAsCancelAfterAnEarlierPrint) {
  Load("undivided.csv");
  PrintWith([](PrintRangeDialog& form) {
    Box(form, pr::kFromPage)->setText("3");
    Box(form, pr::kToPage)->setText("5");
    Button(form, pr::kPrint)->click();
  });
  ASSERT_EQ(pdf_files_asked_, 1);
  messages_.shown.clear();

  PrintWith([](PrintRangeDialog& form) {
    // The boxes still hold the range printed before; the frame prints nothing all the same.
    EXPECT_EQ(Box(form, pr::kFromPage)->text(), "3");
    form.close();
    EXPECT_FALSE(form.range());
  });
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_FALSE(viewer_->printRangeWindowLoaded());
}

TEST_F(PrintRange, CancelledPdfFileNamePrintsNothing) {
  Load("undivided.csv");
  printing_.ask_pdf_file = [this] {
    ++pdf_files_asked_;
    return QString();
  };
  PrintWith([](PrintRangeDialog& form) {
    Box(form, pr::kToPage)->setText("2");
    Button(form, pr::kPrint)->click();
  });
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PrintRange, PdfFailureIsReportedAsThePrintCommandsFailureWithThePathAndTheReason) {
  Load("undivided.csv");
  const QString target = dir_.filePath("missing/folder/out.pdf");
  printing_.ask_pdf_file = [this, target] {
    ++pdf_files_asked_;
    return target;
  };
  PrintWith([](PrintRangeDialog& form) {
    Box(form, pr::kToPage)->setText("2");
    Button(form, pr::kPrint)->click();
  });
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_EQ(messages_.shown, Entries{"Program Error : cannot write " + target.toStdString() +
                                     ": No such file or directory occured in viewPrint_click"});
}

TEST_F(PrintRange, PageListClosedByItsFrameKeepsThePageBoxAndReloadsAtItsFirstEntry) {
  Load("undivided.csv");
  PickNext(4);
  steps_.push_back([](QDialog& dialog) { dialog.close(); });
  PrintWith([](PrintRangeDialog& form) {
    Button(form, pr::kPickFromPage)->click();
    EXPECT_EQ(Box(form, pr::kFromPage)->text(), "5 ");
    Button(form, pr::kPickFromPage)->click();
    EXPECT_EQ(Box(form, pr::kFromPage)->text(), "5 ");
    Button(form, pr::kCancel)->click();
  });
  EXPECT_EQ(PageList().pickedPage(), 1);
  EXPECT_EQ(ListEntries(Pages(PageList())).size(), 10u);
}

TEST_F(PrintRange, OnePageBookListsItsPage) {
  // The first two stations of the example: a book of one page.
  QFile example(QString(VANTRELS_EXAMPLES) + "/undivided.csv");
  ASSERT_TRUE(example.open(QIODevice::ReadOnly));
  QFile small(dir_.filePath("one_page.csv"));
  ASSERT_TRUE(small.open(QIODevice::WriteOnly));
  while (!example.atEnd()) {
    const QByteArray line = example.readLine();
    if (line.startsWith("2390+")) break;
    small.write(line);
  }
  small.close();
  LoadFile(small.fileName().toStdString());
  ASSERT_EQ(document_.book()->Of(Side::Left).last_page, 0);
  EXPECT_EQ(Label(Range(), pr::kTotal)->text(), "1");
  EXPECT_EQ(ListEntries(Pages(PageList())),
            Entries{"1     2389+00.00 R1        2389+50.00 R1"});

  PickNext(0);
  PrintWith([](PrintRangeDialog& form) {
    Button(form, pr::kPickFromPage)->click();
    EXPECT_EQ(Box(form, pr::kFromPage)->text(), "1 ");
    Button(form, pr::kCancel)->click();
  });
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PrintRange, PrintRangeWindowRunsItsOwnModalLoop) {
  Load("undivided.csv");
  SetModalRunner(nullptr);
  bool was_modal = false;
  QTimer::singleShot(0, [&] {
    auto* form = qobject_cast<PrintRangeDialog*>(QApplication::activeModalWidget());
    if (form == nullptr) {
      ADD_FAILURE() << "the print range window is not the active modal window";
      Range().reject();
      return;
    }
    was_modal = true;
    Box(*form, pr::kFromPage)->setText("2");
    Box(*form, pr::kToPage)->setText("2");
    Button(*form, pr::kPrint)->click();
  });
  viewer_->printSelectedPages();
  EXPECT_TRUE(was_modal);
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_EQ(messages_.shown, Entries{SentToPdf(last_pdf_)});
  if (CanCheckPdf()) {
    EXPECT_EQ(PrintedLabels(), Labels("", 2, 2, 10));
  }
}

}  // namespace
}  // namespace vantrels
