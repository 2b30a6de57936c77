#include "gui/print_selected.h"

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

#include "book/road.h"
#include "gui/app_context.h"
#include "render/pdf_tools.h"
#include "render/qt_text.h"
#include "render/report_fonts.h"
#include "scripted_modal.h"

namespace vantrels {
namespace {

using Entries = std::vector<std::string>;

const std::string kSentMessage = "Pages have been sent to PDF file printer.";
const std::string kOrderMessage = " From Page should be smaller than To Page, Please correct";

Entries ListEntries(const QComboBox* list) {
  Entries entries;
  for (int i = 0; i < list->count(); ++i) entries.push_back(ToReportBytes(list->itemText(i)));
  return entries;
}

TEST(PageListEntries, OneEntryPerPageButTheLastWithItsFirstAndLastStation) {
  SideBook book;
  book.report.resize(6);
  for (size_t i = 0; i < book.report.size(); ++i) {
    book.report[i].region_station = "S" + std::to_string(i);
  }
  // Station 3 is cut: the entry still ends with the station before it.
  book.page_starts = {{0, 0}, {2, 0}, {3, 4}, {6, 0}};

  book.last_page = 2;
  EXPECT_EQ(PageListEntries(book), (Entries{"1     S0        S1", "2     S2        S2"}));
  book.last_page = 0;
  EXPECT_EQ(PageListEntries(book), Entries{});
  book.last_page = -3;
  EXPECT_EQ(PageListEntries(book), Entries{});

  // A page start that names no report record gives an empty station, never a read outside;
  // neither is a page start read that the book does not have.
  book.page_starts = {{0, 0}, {-1, 0}, {40, 0}};
  book.last_page = 5;
  EXPECT_EQ(PageListEntries(book), (Entries{"1     S0        ", "2             "}));
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
class PrintSelected : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ctx_ = std::make_unique<AppContext>(messages_, printers_, fonts_);
    ctx_->state.report_font = "Courier New";
    ctx_->state.printer_name = "PDF file";
    ctx_->state.heading_date = "05 02 2024";
    ctx_->ask_pdf_file = [this] {
      ++pdf_files_asked_;
      last_pdf_ = dir_.filePath(QString("out%1.pdf").arg(pdf_files_asked_));
      return last_pdf_;
    };
    ctx_->run_modal = [this](QDialog& dialog) { return RunScriptedStep(steps_, dialog); };
  }

  void TearDown() override {
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " scripted steps were not run";
    ctx_->UnloadAll();
    ctx_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The preview's road: import, count, then the roadway type into Form5.
  void LoadFile(const std::string& path) {
    RoadResult road = BuildBook(path, &ctx_->printer, ctx_->memory, messages_);
    ASSERT_TRUE(road.book);
    ctx_->SetBook(std::move(*road.book));
    SetPrintRangeRoadwayType(*ctx_, ctx_->book()->roadway);
    ASSERT_TRUE(messages_.shown.empty()) << messages_.shown.front();
  }
  void Load(const char* example) { LoadFile(std::string(VANTRELS_EXAMPLES) + "/" + example); }

  Form5& Range() { return ctx_->PrintRangeWindow(); }
  Form6& PageList() { return ctx_->PageListWindow(); }

  // Runs Form5 with `step` (before the page list steps it opens) and prints what it chose.
  void PrintWith(std::function<void(Form5&)> step) {
    steps_.push_front([step](QDialog& dialog) { step(dynamic_cast<Form5&>(dialog)); });
    PrnSelPages_Click(*ctx_);
  }

  // Picks list position `index` in Form6 when a " . . ." button shows it.
  void PickNext(int index) {
    steps_.push_back([index](QDialog& dialog) {
      auto& page_list = dynamic_cast<Form6&>(dialog);
      page_list.Combo1->setCurrentIndex(index);
      emit page_list.Combo1->activated(index);
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
  FixedFontCatalog fonts_{{"Courier New"}};
  std::unique_ptr<AppContext> ctx_;
  ModalSteps steps_;
  QTemporaryDir dir_;
  int pdf_files_asked_ = 0;
  QString last_pdf_;
};

TEST_F(PrintSelected, UndividedBookLoadsTotalAndPageList) {
  Load("undivided.csv");
  Form5& form = Range();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), "Print Selected Pages");
  EXPECT_EQ(form.Label2->text(), "Roadway Type:");
  EXPECT_EQ(form.Label4->text(), "UNDIVIDED");
  EXPECT_TRUE(form.Combo2->isHidden());
  EXPECT_EQ(form.Combo2->count(), 2);
  EXPECT_EQ(form.Combo2->itemText(0), "LeftSide");
  EXPECT_EQ(form.Combo2->itemText(1), "RightSide");
  EXPECT_EQ(form.Label3->text(), "Total Number of Pages:");
  EXPECT_EQ(form.Label6->text(), "10");
  EXPECT_EQ(form.Label1->text(), "Print Pages From:");
  EXPECT_EQ(form.Label5->text(), "To:");
  EXPECT_EQ(form.Command2->text(), " . . .");
  EXPECT_EQ(form.Command3->text(), " . . .");
  EXPECT_EQ(form.Command1_0->text(), "Cancel");
  EXPECT_EQ(form.Command1_1->text(), "Print");
  EXPECT_EQ(form.Text1->text(), "");
  EXPECT_EQ(form.Text2->text(), "");
  EXPECT_EQ(TabStopsFrom(form.Command1_1),
            (std::vector<QWidget*>{form.Command1_1, form.Command1_0, form.Text1, form.Command2,
                                   form.Text2, form.Command3}));

  Form6& page_list = PageList();
  EXPECT_EQ(page_list.windowTitle(), "Select Page Number");
  EXPECT_EQ(page_list.Label1->text(), "Page#");
  EXPECT_EQ(page_list.Label2->text(), "Start Station");
  EXPECT_EQ(page_list.Label3->text(), "End Station");
  const Entries entries = ListEntries(page_list.Combo1);
  ASSERT_EQ(entries.size(), 9u);
  EXPECT_EQ(entries[0], "1     2389+00.00 R1        2390+00.00 R1");
  EXPECT_EQ(entries[1], "2     2390+50.00 R1        2391+50.00 R1");
  EXPECT_EQ(entries[8].substr(0, 6), "9     ");
  EXPECT_EQ(page_list.Combo1->currentIndex(), 0);
  EXPECT_EQ(ctx_->state.picked_page_index, 0);
}

TEST_F(PrintSelected, SideListSwitchesTotalAndPageListOfADividedBook) {
  Load("divided.csv");
  Form5& form = Range();
  EXPECT_EQ(form.Label4->text(), "DIVIDED");
  EXPECT_FALSE(form.Combo2->isHidden());
  EXPECT_EQ(form.Combo2->currentText(), "LeftSide");
  EXPECT_EQ(form.Label3->text(), "Total Left Side Pages:");
  EXPECT_EQ(form.Label6->text(), "5");
  EXPECT_EQ(TabStopsFrom(form.Command1_1),
            (std::vector<QWidget*>{form.Command1_1, form.Command1_0, form.Combo2, form.Text1,
                                   form.Command2, form.Text2, form.Command3}));
  Entries entries = ListEntries(PageList().Combo1);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0], "1     2389+00.00 R2        2390+50.00 R2");

  ctx_->state.picked_page_index = 3;
  form.Combo2->setCurrentIndex(1);
  emit form.Combo2->activated(1);
  EXPECT_EQ(form.Label3->text(), "Total Right Side Pages:");
  EXPECT_EQ(form.Label6->text(), "5");
  entries = ListEntries(PageList().Combo1);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[1], "2     2391+00.00 R2        2392+50.00 R2");
  EXPECT_EQ(ctx_->state.picked_page_index, 0);

  // A click on the roadway type puts the side list back to the left side.
  QTest::mouseClick(form.Label4, Qt::LeftButton);
  EXPECT_EQ(form.Combo2->currentText(), "LeftSide");
  EXPECT_EQ(form.Label3->text(), "Total Left Side Pages:");
  EXPECT_EQ(ListEntries(PageList().Combo1)[0], "1     2389+00.00 R2        2390+50.00 R2");
}

TEST_F(PrintSelected, NextBookOfTheOtherRoadwayTypeRefreshesTheKeptWindow) {
  Load("divided.csv");
  Range().Combo2->setCurrentIndex(1);
  emit Range().Combo2->activated(1);
  Load("undivided.csv");
  EXPECT_TRUE(Range().Combo2->isHidden());
  EXPECT_EQ(Range().Label3->text(), "Total Number of Pages:");
  EXPECT_EQ(Range().Label6->text(), "10");
  const Entries entries = ListEntries(PageList().Combo1);
  ASSERT_EQ(entries.size(), 9u);
  EXPECT_EQ(entries[0], "1     2389+00.00 R1        2390+00.00 R1");
}

TEST_F(PrintSelected, TypedRangesPrintThoseUndividedPages) {
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
    PrintWith([&](Form5& form) {
      form.Text1->setText(c.from);
      form.Text2->setText(c.to);
      form.Command1_1->click();
    });
    EXPECT_EQ(messages_.shown, Entries{kSentMessage});
    EXPECT_EQ(PrintedLabels(), Labels("", c.first, c.last, 10));
    EXPECT_EQ(ctx_->navigator.Position().page, c.last - 1);
    // "Print" only hides the window: the boxes keep their texts.
    ASSERT_TRUE(ctx_->PrintRangeWindowLoaded());
    EXPECT_EQ(Range().Text1->text(), c.from);
  }
}

TEST_F(PrintSelected, PickedPagesGoIntoTheBoxesAndPrint) {
  if (!CanCheckPdf()) GTEST_SKIP() << "pdfinfo / pdftotext (poppler-utils) or fonts missing";
  Load("undivided.csv");
  PickNext(1);
  PickNext(3);
  PrintWith([](Form5& form) {
    form.Command2->click();
    EXPECT_EQ(form.Text1->text(), "2 ");
    form.Command3->click();
    EXPECT_EQ(form.Text2->text(), "4 ");
    form.Command1_1->click();
  });
  EXPECT_EQ(ctx_->state.picked_page_index, 3);
  EXPECT_FALSE(PageList().isVisible());
  EXPECT_EQ(PrintedLabels(), Labels("", 2, 4, 10));
  EXPECT_EQ(messages_.shown, Entries{kSentMessage});
}

TEST_F(PrintSelected, RightSideRangePrintsRightPagesAndStaysOnTheRightSide) {
  if (!CanCheckPdf()) GTEST_SKIP() << "pdfinfo / pdftotext (poppler-utils) or fonts missing";
  Load("divided.csv");
  PickNext(2);
  PrintWith([](Form5& form) {
    form.Combo2->setCurrentIndex(1);
    emit form.Combo2->activated(1);
    form.Text1->setText("2");
    form.Command3->click();
    EXPECT_EQ(form.Text2->text(), "3 ");
    form.Command1_1->click();
  });
  EXPECT_EQ(PrintedLabels(), Labels("(Right)", 2, 3, 5));
  EXPECT_EQ(ctx_->navigator.Position(), (BookPosition{Side::Right, 2}));
}

TEST_F(PrintSelected, BadRangesAreRejectedAndTheWindowStaysOpen) {
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
  PrintWith([&](Form5& form) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.from) + " to " + c.to);
      messages_.shown.clear();
      form.Text1->setText(c.from);
      form.Text2->setText(c.to);
      form.Command1_1->click();
      EXPECT_EQ(messages_.shown, Entries{c.message});
      EXPECT_TRUE(form.isVisible());
    }
    // The order check keeps the values it has just stored.
    messages_.shown.clear();
    form.Text1->setText("5");
    form.Text2->setText("2");
    form.Command1_1->click();
    EXPECT_EQ(ctx_->state.print_from_page, 4);
    EXPECT_EQ(ctx_->state.print_to_page, 1);
    form.Command1_0->click();
  });
  EXPECT_EQ(pdf_files_asked_, 0);
  EXPECT_EQ(messages_.shown, Entries{kOrderMessage});
}

TEST_F(PrintSelected, CancelIsToldApartFromTheFirstPageAlone) {
  Load("undivided.csv");
  PrintWith([](Form5& form) {
    form.Text1->setText("1");
    form.Text2->setText("1");
    form.Command1_1->click();
  });
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_EQ(ctx_->state.print_from_page, 0);
  EXPECT_EQ(ctx_->state.print_to_page, 0);
  if (CanCheckPdf()) {
    EXPECT_EQ(PrintedLabels(), Labels("", 1, 1, 10));
  }

  messages_.shown.clear();
  PrintWith([](Form5& form) {
    EXPECT_EQ(form.Text1->text(), "1");
    form.Command1_0->click();
  });
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(ctx_->state.print_from_page, 0);
  EXPECT_EQ(ctx_->state.print_to_page, 0);
  // "Cancel" unloads the window: the next use loads it afresh with empty boxes.
  EXPECT_FALSE(ctx_->PrintRangeWindowLoaded());
  EXPECT_EQ(Range().Text1->text(), "");
  EXPECT_EQ(Range().Label6->text(), "10");
}

TEST_F(PrintSelected, FrameCloseActsAsCancelAfterAnEarlierPrint) {
  Load("undivided.csv");
  PrintWith([](Form5& form) {
    form.Text1->setText("3");
    form.Text2->setText("5");
    form.Command1_1->click();
  });
  ASSERT_EQ(pdf_files_asked_, 1);
  messages_.shown.clear();

  PrintWith([](Form5& form) { form.close(); });
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(ctx_->state.print_from_page, 0);
  EXPECT_EQ(ctx_->state.print_to_page, 0);
  EXPECT_FALSE(ctx_->PrintRangeWindowLoaded());
}

TEST_F(PrintSelected, CancelledPdfFileNamePrintsNothing) {
  Load("undivided.csv");
  ctx_->ask_pdf_file = [this] {
    ++pdf_files_asked_;
    return QString();
  };
  PrintWith([](Form5& form) {
    form.Text2->setText("2");
    form.Command1_1->click();
  });
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PrintSelected, PrinterFailureIsReportedAsThePrintCommandsFailure) {
  Load("undivided.csv");
  ctx_->ask_pdf_file = [this] {
    ++pdf_files_asked_;
    return dir_.filePath("missing/folder/out.pdf");
  };
  PrintWith([](Form5& form) {
    form.Text2->setText("2");
    form.Command1_1->click();
  });
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_EQ(messages_.shown,
            Entries{"Program Error : The printer could not start the document occured in "
                    "viewPrint_click"});
}

TEST_F(PrintSelected, PageListClosedByItsFrameKeepsThePageBoxAndReloadsAtItsFirstEntry) {
  Load("undivided.csv");
  PickNext(4);
  steps_.push_back([](QDialog& dialog) { dialog.close(); });
  PrintWith([](Form5& form) {
    form.Command2->click();
    EXPECT_EQ(form.Text1->text(), "5 ");
    form.Command2->click();
    EXPECT_EQ(form.Text1->text(), "5 ");
    form.Command1_0->click();
  });
  EXPECT_EQ(ctx_->state.picked_page_index, 0);
  EXPECT_EQ(ListEntries(PageList().Combo1).size(), 9u);
}

TEST_F(PrintSelected, OnePageBookOffersAnEmptyPageListAndAnEmptyBox) {
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
  ASSERT_EQ(ctx_->book()->Of(Side::Left).last_page, 0);
  EXPECT_EQ(Range().Label6->text(), "1");
  EXPECT_EQ(PageList().Combo1->count(), 0);

  steps_.push_back([](QDialog& dialog) {
    EXPECT_EQ(dynamic_cast<Form6&>(dialog).Combo1->count(), 0);
    dialog.close();
  });
  PrintWith([](Form5& form) {
    form.Text1->setText("1");
    form.Command2->click();
    EXPECT_EQ(form.Text1->text(), "");
    form.Command1_0->click();
  });
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PrintSelected, PrintRangeWindowRunsItsOwnModalLoop) {
  Load("undivided.csv");
  ctx_->run_modal = nullptr;
  bool was_modal = false;
  QTimer::singleShot(0, [&] {
    auto* form = qobject_cast<Form5*>(QApplication::activeModalWidget());
    if (form == nullptr) {
      ADD_FAILURE() << "Form5 is not the active modal window";
      Range().reject();
      return;
    }
    was_modal = true;
    form->Text1->setText("2");
    form->Text2->setText("2");
    form->Command1_1->click();
  });
  PrnSelPages_Click(*ctx_);
  EXPECT_TRUE(was_modal);
  EXPECT_EQ(pdf_files_asked_, 1);
  EXPECT_EQ(messages_.shown, Entries{kSentMessage});
  if (CanCheckPdf()) {
    EXPECT_EQ(PrintedLabels(), Labels("", 2, 2, 10));
  }
}

}  // namespace
}  // namespace vantrels
