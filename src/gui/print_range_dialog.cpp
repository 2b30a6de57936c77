#include "gui/print_range_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <algorithm>
#include <string>
#include <vector>

#include "book/page_input.h"
#include "book/page_list.h"
#include "gui/object_names.h"
#include "gui/page_list_dialog.h"
#include "gui/window_support.h"
#include "model/book.h"
#include "render/qt_text.h"

namespace vantrels {

namespace names = object_names::print_range;

namespace {

QString PageTotal(int32_t last_page) {
  return QString::number(static_cast<int64_t>(last_page) + 1);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont courier("Courier New");
  courier.setStyleHint(QFont::TypeWriter);
  label->setFont(courier);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  // Enter in a page box presses "Print" alone, never the button last focused.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

PrintRangeDialog::PrintRangeDialog(BookDocument& document, Messages& messages, QWidget* parent)
    : QDialog(parent), BookObserver(document), messages_(messages) {
  setObjectName(names::kWindow);
  setWindowTitle("Print Selected Pages");
  setModal(true);

  roadway_caption_ = MakeLabel(this, names::kRoadwayCaption, "Roadway Type:");
  roadway_type_ = MakeLabel(this, names::kRoadwayType, QString());
  roadway_type_->installEventFilter(this);
  side_ = new QComboBox(this);
  side_->setObjectName(names::kSide);
  side_->addItems({NamesOf(Side::Left).list_item, NamesOf(Side::Right).list_item});
  side_->setVisible(false);
  total_caption_ = MakeLabel(this, names::kTotalCaption, "Total Number of Pages:");
  total_ = MakeLabel(this, names::kTotal, QString());
  from_caption_ = MakeLabel(this, names::kFromCaption, "Print Pages From:");
  from_page_ = new QLineEdit(this);
  from_page_->setObjectName(names::kFromPage);
  pick_from_page_ = MakeButton(this, names::kPickFromPage, " . . .");
  to_caption_ = MakeLabel(this, names::kToCaption, "To:");
  to_page_ = new QLineEdit(this);
  to_page_->setObjectName(names::kToPage);
  pick_to_page_ = MakeButton(this, names::kPickToPage, " . . .");
  cancel_ = MakeButton(this, names::kCancel, "Cancel");
  print_ = MakeButton(this, names::kPrint, "Print");
  print_->setDefault(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(roadway_caption_, 0, 0);
  grid->addWidget(roadway_type_, 0, 1);
  grid->addWidget(side_, 0, 2);
  grid->addWidget(total_caption_, 1, 0);
  grid->addWidget(total_, 1, 1);
  grid->addWidget(from_caption_, 2, 0);
  grid->addWidget(from_page_, 2, 1);
  grid->addWidget(pick_from_page_, 2, 2);
  grid->addWidget(to_caption_, 3, 0);
  grid->addWidget(to_page_, 3, 1);
  grid->addWidget(pick_to_page_, 3, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  buttons->addWidget(print_);
  grid->addLayout(buttons, 4, 0, 1, 3);

  setTabOrder(print_, cancel_);
  setTabOrder(cancel_, side_);
  setTabOrder(side_, from_page_);
  setTabOrder(from_page_, pick_from_page_);
  setTabOrder(pick_from_page_, to_page_);
  setTabOrder(to_page_, pick_to_page_);

  connect(side_, &QComboBox::activated, this, [this] { showChosenSide(); });
  connect(pick_from_page_, &QPushButton::clicked, this, [this] { pickFromPage(); });
  connect(pick_to_page_, &QPushButton::clicked, this, [this] { pickToPage(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
  connect(print_, &QPushButton::clicked, this, [this] { acceptRange(); });

  PressFocusedButtonOnEnter(*this);
  makePageList();
  showBook();
  total_->setText(PageTotal(lastPageOf(Side::Left)));
}

PrintRangeDialog::~PrintRangeDialog() = default;

void PrintRangeDialog::makePageList() {
  if (page_list_) page_list_->deleteLater();
  page_list_ = new PageListDialog(this);
  showChosenSide();
}

void PrintRangeDialog::BookShown() {
  from_page_->clear();
  to_page_->clear();
  // A new book is shown at its left or only side, as the viewer opens it.
  side_->setCurrentIndex(0);
  showBook();
}

void PrintRangeDialog::showBook() {
  const Book* book = document().book();
  roadway_type_->setText(book ? RoadwayName(book->roadway) : QString());
  showRoadwayType();
}

void PrintRangeDialog::showRoadwayType() {
  const Book* book = document().book();
  if (!book) return;
  if (!book->Divided()) {
    side_->setVisible(false);
    // A window kept from an earlier book must not show that book's total and pages.
    showChosenSide();
  } else {
    side_->setVisible(true);
    side_->setCurrentIndex(0);
    showChosenSide();
  }
}

void PrintRangeDialog::showChosenSide() {
  const Side side = chosenSide();
  const Book* book = document().book();
  if (!book || !book->Divided()) {
    total_caption_->setText("Total Number of Pages:");
  } else if (side == Side::Left) {
    total_caption_->setText("Total Left Side Pages:");
  } else {
    total_caption_->setText("Total Right Side Pages:");
  }
  total_->setText(PageTotal(lastPageOf(side)));
  page_list_->showPages(book ? PageListEntries(book->Of(side)) : std::vector<std::string>{});
}

Side PrintRangeDialog::chosenSide() const {
  return side_->currentIndex() == 1 ? Side::Right : Side::Left;
}

int32_t PrintRangeDialog::lastPageOf(Side side) const {
  const Book* book = document().book();
  return book ? book->Of(side).last_page : 0;
}

void PrintRangeDialog::pickPage(QLineEdit* box) {
  page_list_->resetClosedByFrame();
  const QPointer<PageListDialog> guard(page_list_);
  RunModal(*page_list_);
  // A page list closed by its frame is made afresh, at its first entry. Closing a list that
  // offered pages picks nothing, so the page box keeps what the user had in it; an empty list
  // (a one-page book) always leaves the box empty.
  if (!guard || page_list_->closedByFrame()) {
    makePageList();
    if (page_list_->entryCount() == 0) box->clear();
    return;
  }
  const std::optional<int32_t> page = page_list_->pickedPage();
  // The page number and one blank, as the entry begins.
  box->setText(page ? QString::number(*page) + ' ' : QString());
}

void PrintRangeDialog::pickFromPage() {
  pickPage(from_page_);
}

void PrintRangeDialog::pickToPage() {
  pickPage(to_page_);
}

void PrintRangeDialog::acceptRange() {
  const int32_t pages = std::max(lastPageOf(chosenSide()), 0) + 1;
  const Result<BoxedPages> check =
      ValidatePageRange(ToReportBytes(from_page_->text()), ToReportBytes(to_page_->text()), pages);
  if (!check) {
    messages_.Show(check.failure().message);
    return;
  }
  const Book* book = document().book();
  const Side side = book && book->Divided() ? chosenSide() : Side::Left;
  range_ = PageSpan{side, check->from, check->to};
  accept();
}

void PrintRangeDialog::reject() {
  range_.reset();
  QDialog::reject();
}

bool PrintRangeDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == roadway_type_ && event->type() == QEvent::MouseButtonRelease) showRoadwayType();
  return QDialog::eventFilter(watched, event);
}

std::optional<PageSpan> PrintRangeDialog::runModal() {
  range_.reset();
  // The pages are what the user came to type: the focus in From, its text chosen to be replaced.
  MoveFocusVisibly(*from_page_);
  from_page_->selectAll();
  const QPointer<PrintRangeDialog> guard(this);
  RunModal(*this);
  if (!guard) return std::nullopt;
  return range_;
}

}  // namespace vantrels
