#include "gui/print_selected.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>

#include "book/page_input.h"
#include "gui/app_context.h"
#include "model/book.h"
#include "model/text.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

constexpr int32_t kLastPageInTable = kMaxPages - 1;

std::string StationAt(const SideBook& book, int64_t index) {
  if (index < 0 || static_cast<size_t>(index) >= book.report.size()) return {};
  return book.report[static_cast<size_t>(index)].region_station;
}

QString PageTotal(int32_t last_page) {
  return QString::number(static_cast<int64_t>(last_page) + 1);
}

QFont LabelFont() {
  QFont font("Courier New");
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, bool courier) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  if (courier) label->setFont(LabelFont());
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  // Enter in a page box must not press a button by accident.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

std::vector<std::string> PageListEntries(const SideBook& book) {
  std::vector<std::string> entries;
  const int32_t last = std::clamp(book.last_page, 0, kLastPageInTable);
  for (int32_t p = 0; p < last && static_cast<size_t>(p) + 1 < book.page_starts.size(); ++p) {
    const int64_t first = book.page_starts[static_cast<size_t>(p)].station;
    const int64_t before_next = int64_t{book.page_starts[static_cast<size_t>(p) + 1].station} - 1;
    entries.push_back(std::to_string(p + 1) + "     " + StationAt(book, first) + "        " +
                      StationAt(book, before_next));
  }
  return entries;
}

Form5::Form5(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("Form5");
  setWindowTitle("Print Selected Pages");
  setModal(true);

  Label2 = MakeLabel(this, "Label2", "Roadway Type:", true);
  Label4 = MakeLabel(this, "Label4", QString(), true);
  Label4->installEventFilter(this);
  Combo2 = new QComboBox(this);
  Combo2->setObjectName("Combo2");
  Combo2->addItems({"LeftSide", "RightSide"});
  Combo2->setVisible(false);
  Label3 = MakeLabel(this, "Label3", "Total Number of Pages:", true);
  Label6 = MakeLabel(this, "Label6", QString(), true);
  Label1 = MakeLabel(this, "Label1", "Print Pages From:", true);
  Text1 = new QLineEdit(this);
  Text1->setObjectName("Text1");
  Command2 = MakeButton(this, "Command2", " . . .");
  Label5 = MakeLabel(this, "Label5", "To:", true);
  Text2 = new QLineEdit(this);
  Text2->setObjectName("Text2");
  Command3 = MakeButton(this, "Command3", " . . .");
  Command1_0 = MakeButton(this, "Command1_0", "Cancel");
  Command1_1 = MakeButton(this, "Command1_1", "Print");

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label2, 0, 0);
  grid->addWidget(Label4, 0, 1);
  grid->addWidget(Combo2, 0, 2);
  grid->addWidget(Label3, 1, 0);
  grid->addWidget(Label6, 1, 1);
  grid->addWidget(Label1, 2, 0);
  grid->addWidget(Text1, 2, 1);
  grid->addWidget(Command2, 2, 2);
  grid->addWidget(Label5, 3, 0);
  grid->addWidget(Text2, 3, 1);
  grid->addWidget(Command3, 3, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1_0);
  buttons->addWidget(Command1_1);
  grid->addLayout(buttons, 4, 0, 1, 3);

  setTabOrder(Command1_1, Command1_0);
  setTabOrder(Command1_0, Combo2);
  setTabOrder(Combo2, Text1);
  setTabOrder(Text1, Command2);
  setTabOrder(Command2, Text2);
  setTabOrder(Text2, Command3);

  connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command1_0, &QPushButton::clicked, this, [this] { Command1_Click(0); });
  connect(Command1_1, &QPushButton::clicked, this, [this] { Command1_Click(1); });

  const Book* book = ctx_.book();
  SetLabel4(book ? RoadwayName(book->roadway) : "");
  if (book && book->Divided()) Combo2->setVisible(true);
  Label6->setText(PageTotal(LastPageOf(Side::Left)));
}

Form5::~Form5() = default;

void Form5::SetLabel4(const QString& text) {
  Label4->setText(text);
  Label4_Change();
}

void Form5::Label4_Change() {
  const Book* book = ctx_.book();
  if (!book) return;
  if (!book->Divided()) {
    Combo2->setVisible(false);
    // A window kept from an earlier book must not show that book's total and pages.
    Combo2_Click();
  } else {
    Combo2->setVisible(true);
    Combo2->setCurrentIndex(Combo2->findText("LeftSide"));
    Combo2_Click();
  }
}

void Form5::Combo2_Click() {
  Form6& page_list = ctx_.PageListWindow();
  page_list.Combo1->clear();
  const Side side = ChosenSide();
  const Book* book = ctx_.book();
  if (!book || !book->Divided()) {
    Label3->setText("Total Number of Pages:");
  } else if (side == Side::Left) {
    Label3->setText("Total Left Side Pages:");
  } else {
    Label3->setText("Total Right Side Pages:");
  }
  Label6->setText(PageTotal(LastPageOf(side)));
  page_list.FillList(side);
}

Side Form5::ChosenSide() const {
  return Combo2->currentText() == "RightSide" ? Side::Right : Side::Left;
}

int32_t Form5::LastPageOf(Side side) const {
  const Book* book = ctx_.book();
  return book ? book->Of(side).last_page : 0;
}

void Form5::PickPage(QLineEdit* box) {
  Form6* page_list = &ctx_.PageListWindow();
  page_list->ResetClosedByFrame();
  const QPointer<Form6> guard(page_list);
  ctx_.RunModal(*page_list);
  // A page list closed by its frame is unloaded and loads afresh next time. Closing a list
  // that offered pages picks nothing, so the page box keeps what the user had in it; an empty
  // list (a one-page book) always leaves the box empty.
  if (!guard || page_list->ClosedByFrame()) {
    ctx_.UnloadPageListWindow();
    if (ctx_.PageListWindow().Combo1->count() == 0) box->clear();
    return;
  }
  const int index = ctx_.state.picked_page_index;
  if (index < 0 || index >= page_list->Combo1->count()) {
    box->clear();
    return;
  }
  const std::string entry = ToReportBytes(page_list->Combo1->itemText(index));
  const std::string_view trimmed = TrimBlanks(entry);
  const auto blank = trimmed.find(' ');
  box->setText(FromReportBytes(blank == std::string_view::npos ? std::string_view()
                                                               : trimmed.substr(0, blank + 1)));
}

void Form5::Command2_Click() {
  PickPage(Text1);
}

void Form5::Command3_Click() {
  PickPage(Text2);
}

void Form5::Command1_Click(int index) {
  if (index == 0) {
    reject();
    return;
  }
  if (index != 1) return;
  const int32_t pages = std::clamp(LastPageOf(ChosenSide()), 0, kLastPageInTable) + 1;
  const PageRangeCheck check =
      ValidatePageRange(ToReportBytes(Text1->text()), ToReportBytes(Text2->text()), pages);
  if (check.read) {
    // The order check keeps the values it has just stored.
    ctx_.state.print_from_page = check.from;
    ctx_.state.print_to_page = check.to;
  }
  if (!check.problem.empty()) {
    ctx_.messages.Show(check.problem);
    return;
  }
  print_chosen_ = true;
  accept();
}

void Form5::reject() {
  ctx_.state.print_from_page = 0;
  ctx_.state.print_to_page = 0;
  print_chosen_ = false;
  QDialog::reject();
}

bool Form5::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label4 && event->type() == QEvent::MouseButtonRelease) Label4_Change();
  return QDialog::eventFilter(watched, event);
}

bool Form5::RunModal() {
  print_chosen_ = false;
  Command1_1->setFocus();
  const QPointer<Form5> guard(this);
  ctx_.RunModal(*this);
  return guard && print_chosen_;
}

Form6::Form6(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("Form6");
  setWindowTitle("Select Page Number");
  setModal(true);

  Label1 = MakeLabel(this, "Label1", "Page#", false);
  Label2 = MakeLabel(this, "Label2", "Start Station", false);
  Label3 = MakeLabel(this, "Label3", "End Station", false);
  Combo1 = new QComboBox(this);
  Combo1->setObjectName("Combo1");
  Combo1->setFont(LabelFont());
  Combo1->setMinimumContentsLength(44);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(Label2, 0, 1);
  grid->addWidget(Label3, 0, 2);
  grid->addWidget(Combo1, 1, 0, 1, 3);
  grid->setColumnStretch(2, 1);

  connect(Combo1, &QComboBox::activated, this, [this](int index) { Combo1_Click(index); });

  // Form5, when loaded, names the side; while Form5 itself is loading it refills this list.
  FillList(ctx_.PrintRangeWindowLoaded() ? ctx_.PrintRangeWindow().ChosenSide() : Side::Left);
}

Form6::~Form6() = default;

void Form6::FillList(Side side) {
  Combo1->clear();
  if (const Book* book = ctx_.book()) {
    for (const std::string& entry : PageListEntries(book->Of(side))) {
      Combo1->addItem(FromReportBytes(entry));
    }
  }
  if (Combo1->count() > 0) {
    Combo1->setCurrentIndex(0);
    ctx_.state.picked_page_index = 0;
  }
}

void Form6::Combo1_Click(int index) {
  ctx_.state.picked_page_index = static_cast<int16_t>(index);
  if (isVisible()) accept();
}

void Form6::reject() {
  closed_by_frame_ = true;
  QDialog::reject();
}

void PrnSelPages_Click(AppContext& ctx) {
  try {
    Form5& form = ctx.PrintRangeWindow();
    if (!form.RunModal()) {
      // "Cancel" and the frame unload the window; nothing is printed.
      ctx.UnloadPrintRangeWindow();
      ctx.printer.KillDoc();
      return;
    }
    const Book* book = ctx.book();
    if (!book) return;
    // An undivided book is printed from the viewer's side, which it does not change.
    const Side side = book->Divided() ? form.ChosenSide() : ctx.navigator.Position().side;
    ctx.PrintPages({PageSpan{side, ctx.state.print_from_page,
                             std::min<int32_t>(ctx.state.print_to_page, kLastPageInTable)}});
  } catch (const std::exception& e) {
    ctx.messages.Show(std::string("Program Error : ") + e.what() + " occured in viewPrint_click");
  }
}

void SetPrintRangeRoadwayType(AppContext& ctx, Roadway roadway) {
  ctx.PrintRangeWindow().SetLabel4(RoadwayName(roadway));
}

}  // namespace vantrels
