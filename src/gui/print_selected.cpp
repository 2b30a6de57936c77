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
#include <charconv>
#include <exception>
#include <optional>
#include <string_view>

#include "gui/app_context.h"
#include "layout/page.h"
#include "model/text.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

constexpr int32_t kLastPageInTable = kPageTableSize - 1;

// The first record index of a page start entry "s:r"; nullopt when the entry holds none.
std::optional<int32_t> FirstRecordIndex(const std::string& entry) {
  const auto colon = entry.find(':');
  if (colon == std::string::npos || colon == 0) return std::nullopt;
  int32_t value = 0;
  const auto [end, error] = std::from_chars(entry.data(), entry.data() + colon, value);
  if (error != std::errc() || end != entry.data() + colon) return std::nullopt;
  return value;
}

std::string StationAt(const ReportArray& report, std::optional<int32_t> index) {
  if (!index || *index < 0 || static_cast<size_t>(*index) >= report.size()) return {};
  return report[static_cast<size_t>(*index)].RegionStation;
}

QString PageTotal(int32_t last_page) {
  return QString::number(static_cast<int64_t>(last_page) + 1);
}

// A page box's page number: empty means the first page; otherwise a whole number from 1 to
// `pages`. Returns the zero-based page index, or nullopt when the box is rejected.
std::optional<int16_t> PageBoxIndex(const QLineEdit* box, int32_t pages) {
  const std::string text = ToReportBytes(box->text());
  const std::string_view digits = TrimBlanks(text);
  if (digits.empty()) return 0;
  if (digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  int32_t page = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), page);
  if (page < 1 || page > pages) return std::nullopt;
  return static_cast<int16_t>(page - 1);
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

std::vector<std::string> PageListEntries(const ReportArray& report, const PageTable& starts,
                                         int32_t last_page) {
  std::vector<std::string> entries;
  const int32_t last = std::clamp(last_page, 0, kLastPageInTable);
  for (int32_t p = 0; p < last; ++p) {
    const std::optional<int32_t> first = FirstRecordIndex(starts[static_cast<size_t>(p)]);
    std::optional<int32_t> before_next = FirstRecordIndex(starts[static_cast<size_t>(p) + 1]);
    if (before_next) *before_next -= 1;
    entries.push_back(std::to_string(p + 1) + "     " + StationAt(report, first) + "        " +
                      StationAt(report, before_next));
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

  const Store& store = ctx_.store;
  const QString type = QString::fromStdString(UpperCase(store.RoadwayType));
  SetLabel4(type);
  if (type == "DIVIDED") {
    Combo2->setVisible(true);
    Label6->setText(PageTotal(store.LeftLastPage));
  } else {
    Label6->setText(PageTotal(store.UndividedLastPage));
  }
}

Form5::~Form5() = default;

void Form5::SetLabel4(const QString& text) {
  Label4->setText(text);
  Label4_Change();
}

void Form5::Label4_Change() {
  const std::string type = UpperCase(ToReportBytes(Label4->text()));
  if (type == "UNDIVIDED") {
    Combo2->setVisible(false);
    // A window kept from an earlier book must not show that book's total and pages.
    Combo2_Click();
  } else if (type == "DIVIDED") {
    Combo2->setVisible(true);
    Combo2->setCurrentIndex(Combo2->findText("LeftSide"));
    Combo2_Click();
    Label3->setText("Total Left Side Pages:");
    Label6->setText(PageTotal(ctx_.store.LeftLastPage));
  }
}

void Form5::Combo2_Click() {
  const Store& store = ctx_.store;
  Form6& page_list = ctx_.PageListWindow();
  page_list.Combo1->clear();
  const std::string side = ChosenSide();
  if (UpperCase(store.RoadwayType) == "UNDIVIDED") {
    Label3->setText("Total Number of Pages:");
    Label6->setText(PageTotal(store.UndividedLastPage));
  } else if (side == "LeftSide") {
    Label3->setText("Total Left Side Pages:");
    Label6->setText(PageTotal(store.LeftLastPage));
  } else if (side == "RightSide") {
    Label3->setText("Total Right Side Pages:");
    Label6->setText(PageTotal(store.RightLastPage));
  }
  page_list.FillList(side);
}

std::string Form5::ChosenSide() const {
  return Combo2->currentText().toStdString();
}

int32_t Form5::LastPageOfChoice() const {
  const Store& store = ctx_.store;
  int32_t last = store.UndividedLastPage;
  if (UpperCase(store.RoadwayType) == "DIVIDED") {
    last = ChosenSide() == "RightSide" ? store.RightLastPage : store.LeftLastPage;
  }
  return std::clamp(last, 0, kLastPageInTable);
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
  const int index = ctx_.store.PickedPageIndex;
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
  Store& store = ctx_.store;
  const int32_t pages = LastPageOfChoice() + 1;
  const std::optional<int16_t> from = PageBoxIndex(Text1, pages);
  const std::optional<int16_t> to = PageBoxIndex(Text2, pages);
  const std::string range = " must be a whole number from 1 to " + std::to_string(pages);
  if (!from) {
    ctx_.messages.Show(" From Page" + range + ", Please correct");
    return;
  }
  if (!to) {
    ctx_.messages.Show(" To Page" + range + ", Please correct");
    return;
  }
  store.PrintFromPage = *from;
  store.PrintToPage = *to;
  if (store.PrintToPage < store.PrintFromPage) {
    ctx_.messages.Show(" From Page should be smaller than To Page, Please correct");
    return;
  }
  print_chosen_ = true;
  accept();
}

void Form5::reject() {
  ctx_.store.PrintFromPage = 0;
  ctx_.store.PrintToPage = 0;
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
  FillList(ctx_.PrintRangeWindowLoaded() ? ctx_.PrintRangeWindow().ChosenSide() : "LeftSide");
}

Form6::~Form6() = default;

void Form6::FillList(const std::string& side) {
  Combo1->clear();
  const Store& store = ctx_.store;
  const std::string type = UpperCase(store.RoadwayType);
  std::vector<std::string> entries;
  if (type == "UNDIVIDED") {
    entries =
        PageListEntries(store.UndividedReport, store.UndividedPageStarts, store.UndividedLastPage);
  } else if (type == "DIVIDED" && side == "RightSide") {
    entries = PageListEntries(store.RightReport, store.RightPageStarts, store.RightLastPage);
  } else if (type == "DIVIDED") {
    entries = PageListEntries(store.LeftReport, store.LeftPageStarts, store.LeftLastPage);
  }
  for (const std::string& entry : entries) Combo1->addItem(FromReportBytes(entry));
  if (Combo1->count() > 0) {
    Combo1->setCurrentIndex(0);
    ctx_.store.PickedPageIndex = 0;
  }
}

void Form6::Combo1_Click(int index) {
  ctx_.store.PickedPageIndex = static_cast<int16_t>(index);
  if (isVisible()) accept();
}

void Form6::reject() {
  closed_by_frame_ = true;
  QDialog::reject();
}

void PrnSelPages_Click(AppContext& ctx) {
  Store& store = ctx.store;
  try {
    Form5& form = ctx.PrintRangeWindow();
    if (!form.RunModal()) {
      // "Cancel" and the frame unload the window; nothing is printed.
      ctx.UnloadPrintRangeWindow();
      ctx.printer.KillDoc();
      return;
    }
    const std::string type = UpperCase(store.RoadwayType);
    const bool divided = type == "DIVIDED";
    if (!divided && type != "UNDIVIDED") return;
    const std::string side = form.ChosenSide();
    if (!ctx.BeginPrintJob()) return;
    const int last = std::min<int>(store.PrintToPage, kLastPageInTable);
    for (int page = store.PrintFromPage; page <= last; ++page) {
      if (divided) store.CurrentSide = side;
      store.CurrentPage = page;
      PrintQMTForm(store, ctx.messages, ctx.printer);
      ToPrintAllForms(store, ctx.messages, ctx.printer);
      ctx.printer.NewPage();
    }
    ctx.printer.EndDoc();
    ctx.printer.KillDoc();
    ctx.messages.Show("Pages have been sent to " + store.PrinterName + " printer.");
  } catch (const std::exception& e) {
    ctx.messages.Show(std::string("Program Error : ") + e.what() + " occured in viewPrint_click");
  }
}

void SetPrintRangeRoadwayType(AppContext& ctx, const std::string& roadway_type) {
  ctx.PrintRangeWindow().SetLabel4(FromReportBytes(roadway_type));
}

}  // namespace vantrels
