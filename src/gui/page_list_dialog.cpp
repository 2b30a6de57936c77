#include "gui/page_list_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <cstdint>

#include "gui/column_headings.h"
#include "gui/object_names.h"
#include "render/qt_text.h"

namespace vantrels {

namespace names = object_names::page_list;

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

// The keys by which a closed list moves to another entry: the arrows, the page keys, Home, End
// and typing the start of an entry.
bool MovesTheList(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
  switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return !key.text().isEmpty() && key.text().at(0).isPrint() && key.key() != Qt::Key_Space;
  }
}

}  // namespace

PageListDialog::PageListDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(names::kWindow);
  setWindowTitle("Select Page Number");
  setModal(true);

  page_heading_ = MakeLabel(this, names::kPageHeading, "Page#");
  start_heading_ = MakeLabel(this, names::kStartHeading, "Start Station");
  end_heading_ = MakeLabel(this, names::kEndHeading, "End Station");
  list_ = new QComboBox(this);
  list_->setObjectName(names::kList);
  list_->setFont(ColumnListFont(font()));
  list_->setMinimumContentsLength(44);
  // Page 1, a seven-character start station: the columns until a book is listed.
  headings_ =
      new ColumnHeadings(list_, {page_heading_, start_heading_, end_heading_}, {0, 6, 21}, this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(headings_, 0, 0);
  grid->addWidget(list_, 1, 0);

  // A click or Enter in the open list picks; keys and the wheel on the closed list only move.
  connect(list_, &QComboBox::activated, this, [this](int index) {
    if (!moving_) pickEntry(index);
  });
  list_->installEventFilter(this);
}

bool PageListDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != list_ || moving_) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      pickEntry(list_->currentIndex());
      return true;
    }
    // Escape, Tab and the keys that open the list keep their usual way.
    if (!MovesTheList(*key)) return QDialog::eventFilter(watched, event);
  } else if (event->type() != QEvent::Wheel) {
    return QDialog::eventFilter(watched, event);
  }
  // The list handles the key as it would, telling of a new entry, which moves without picking.
  moving_ = true;
  QCoreApplication::sendEvent(list_, event);
  moving_ = false;
  return true;
}

PageListDialog::~PageListDialog() = default;

void PageListDialog::showPages(const std::vector<std::string>& entries) {
  list_->clear();
  int32_t page = 1;
  for (const std::string& entry : entries) list_->addItem(FromReportBytes(entry), page++);
  list_->setCurrentIndex(list_->count() > 0 ? 0 : -1);
  headings_->followFirstEntry();
}

void PageListDialog::pickEntry(int index) {
  if (index < 0) return;
  list_->setCurrentIndex(index);
  if (isVisible()) accept();
}

std::optional<int32_t> PageListDialog::pickedPage() const {
  if (list_->currentIndex() < 0) return std::nullopt;
  return list_->currentData().toInt();
}

QString PageListDialog::entry(int index) const {
  return index >= 0 && index < list_->count() ? list_->itemText(index) : QString();
}

int PageListDialog::entryCount() const {
  return list_->count();
}

void PageListDialog::reject() {
  closed_by_frame_ = true;
  QDialog::reject();
}

}  // namespace vantrels
