#include "gui/find_station_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "book/find_box.h"
#include "gui/column_headings.h"
#include "gui/object_names.h"
#include "gui/user_command.h"
#include "gui/window_support.h"
#include "model/book.h"
#include "model/inherited_messages.h"
#include "model/text.h"
#include "render/qt_text.h"

namespace vantrels {

namespace names = object_names::find_station;

namespace {

void FillCombo(QComboBox* combo, const std::vector<StationEntry>& entries) {
  combo->clear();
  for (const StationEntry& entry : entries)
    combo->addItem(FromReportBytes(FormatStationEntry(entry)));
}

}  // namespace

FindStationDialog::FindStationDialog(BookDocument& document, Messages& messages, QWidget* parent)
    : QDialog(parent), BookObserver(document), messages_(messages) {
  setObjectName(names::kWindow);
  setWindowTitle("Find Station on the Page");

  station_caption_ = new QLabel("Station :", this);
  station_caption_->setObjectName(names::kStationCaption);
  page_heading_ = new QLabel("Page #", this);
  page_heading_->setObjectName(names::kPageHeading);
  station_heading_ = new QLabel("Station", this);
  station_heading_->setObjectName(names::kStationHeading);

  // A fixed-pitch font keeps the page numbers and stations of the entries in columns.
  const QFont fixed = ColumnListFont(font());
  list_ = new QComboBox(this);
  list_->setObjectName(names::kList);
  list_->setFont(fixed);
  list_->setMinimumContentsLength(32);
  right_list_ = new QComboBox(this);
  right_list_->setObjectName(names::kRightList);
  right_list_->setFont(fixed);
  right_list_->setEditable(true);
  right_list_->setInsertPolicy(QComboBox::NoInsert);
  right_list_->setMinimumContentsLength(32);
  right_list_->setEditText("Combo2");
  right_list_->setVisible(false);

  find_ = new QPushButton("Find", this);
  find_->setObjectName(names::kFind);
  find_->setAutoDefault(false);
  connect(find_, &QPushButton::clicked, this, [this] { findStation(); });

  // The headings stand above the two parts of an entry: the page number, then after 12 blanks
  // the station.
  headings_ = new ColumnHeadings(list_, {page_heading_, station_heading_}, {0, 13}, this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(headings_, 0, 1);
  layout->addWidget(station_caption_, 1, 0);
  // Both lists share one place; only one is visible at a time.
  layout->addWidget(list_, 1, 1);
  layout->addWidget(right_list_, 1, 1);
  layout->addWidget(find_, 2, 1, Qt::AlignRight);
  layout->setColumnStretch(1, 1);

  setTabOrder(list_, right_list_);
  setTabOrder(right_list_, find_);
  PressFocusedButtonOnEnter(*this);
  // Enter in a list finds, as the button does.
  for (QObject* box : {static_cast<QObject*>(list_), static_cast<QObject*>(right_list_),
                       static_cast<QObject*>(right_list_->lineEdit())}) {
    box->installEventFilter(this);
  }
}

FindStationDialog::~FindStationDialog() = default;

void FindStationDialog::BookShown() {
  // A new book opens on its first page, on the left side: the window offers that side's list.
  const bool closed_by_frame = closed_by_frame_;
  showList(false);
  closed_by_frame_ = closed_by_frame;
}

void FindStationDialog::showList(bool right_side) {
  const Book* book = document().book();
  FillCombo(list_, book ? book->Of(Side::Left).station_entries : std::vector<StationEntry>{});
  FillCombo(right_list_, book && book->Divided() ? book->Of(Side::Right).station_entries
                                                 : std::vector<StationEntry>{});
  shown_side_ = right_side ? Side::Right : Side::Left;
  QComboBox* list = right_side ? right_list_ : list_;
  QComboBox* other = right_side ? list_ : right_list_;
  other->setVisible(false);
  list->setVisible(true);
  list->setCurrentIndex(list->count() > 0 ? 0 : -1);
  headings_->setList(list);
  headings_->followFirstEntry();
  if (list->isEditable()) list->setEditText(list->count() > 0 ? list->itemText(0) : QString());
  closed_by_frame_ = false;
}

void FindStationDialog::findStation() {
  if (RunCommand(messages_, inherited::kFindFailure, [this] { return goToChosenEntry(); })) hide();
}

Status FindStationDialog::goToChosenEntry() {
  const Book* book = document().book();
  if (!book) return {};
  // The side of the list shown: the viewer changes sides only when Find finds a page. The
  // editable right-side list may hold typed text.
  const Side side = book->Divided() ? shown_side_ : Side::Left;
  const QComboBox* list = side == Side::Right ? right_list_ : list_;
  // An empty list offers nothing to find: the window just hides.
  if (list->count() == 0) return {};
  const std::string text = ToReportBytes(list->currentText());
  if (TrimBlanks(text).empty()) {
    return vantrels::Rejected(
        inherited::kFindFailure.Around("the box is empty: choose a station from the list"));
  }
  const Result<int64_t> page = ReadFindBox(text, book->Of(side));
  if (!page) return vantrels::Rejected(inherited::kFindFailure.Around(page.failure().message));
  const Status moved = document().GoToPageNumber(side, *page);
  if (!moved) return vantrels::Rejected(inherited::kFindFailure.Around(moved.failure().message));
  return {};
}

bool FindStationDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool list = watched == list_ || watched == right_list_ ||
                      watched == right_list_->lineEdit();
    // An open drop-down takes Enter itself, to choose its entry.
    if (enter && list && !static_cast<QComboBox*>(watched == list_ ? list_ : right_list_)
                              ->view()
                              ->isVisible()) {
      findStation();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FindStationDialog::reject() {
  closed_by_frame_ = true;
  QDialog::reject();
  // Closing by the frame unloads the window; the station lists stay in the book.
  emit unloaded();
}

}  // namespace vantrels
