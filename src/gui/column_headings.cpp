#include "gui/column_headings.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <algorithm>
#include <cmath>

#include "render/report_fonts.h"

namespace vantrels {

namespace {

constexpr int kFieldGap = 5;

}  // namespace

QFont ColumnListFont(const QFont& base) {
  return MakeReportFont(QLatin1String(kReportFaces[0]), base.pointSizeF(), false);
}

std::vector<int> FieldColumns(const QString& entry) {
  std::vector<int> columns;
  int blanks = kFieldGap;
  for (int k = 0; k < entry.size(); ++k) {
    if (entry[k] == QLatin1Char(' ')) {
      ++blanks;
      continue;
    }
    if (blanks >= kFieldGap) columns.push_back(k);
    blanks = 0;
  }
  return columns;
}

ColumnHeadings::ColumnHeadings(QComboBox* list, std::vector<QLabel*> headings,
                               std::vector<int> columns, QWidget* parent)
    : QWidget(parent), headings_(std::move(headings)), columns_(std::move(columns)) {
  for (QLabel* heading : headings_) heading->setParent(this);
  setList(list);
}

void ColumnHeadings::setList(QComboBox* list) {
  if (list_) list_->removeEventFilter(this);
  list_ = list;
  // The headings follow the list wherever the layout puts it.
  if (list_) list_->installEventFilter(this);
  place();
}

void ColumnHeadings::setColumns(std::vector<int> columns) {
  columns_ = std::move(columns);
  updateGeometry();
  place();
}

void ColumnHeadings::followFirstEntry() {
  if (!list_ || list_->count() == 0) return;
  std::vector<int> columns = FieldColumns(list_->itemText(0));
  if (columns.size() < headings_.size()) return;
  columns.resize(headings_.size());
  setColumns(std::move(columns));
}

double ColumnHeadings::textLeft() const {
  if (!list_) return 0;
  QStyleOptionComboBox option;
  option.initFrom(list_);
  option.editable = list_->isEditable();
  option.frame = list_->hasFrame();
  const QRect field = list_->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, list_);
  // A line edit keeps two pixels before its text; the label of a drop-down list one.
  const int inset = list_->isEditable() ? 2 : 1;
  const int list_left = list_->mapTo(window(), QPoint(0, 0)).x();
  const int row_left = mapTo(window(), QPoint(0, 0)).x();
  return list_left - row_left + field.left() + inset;
}

double ColumnHeadings::characterWidth() const {
  return list_ ? QFontMetricsF(list_->font()).horizontalAdvance(QLatin1Char('0')) : 0;
}

void ColumnHeadings::place() {
  const double left = textLeft();
  const double step = characterWidth();
  for (size_t k = 0; k < headings_.size(); ++k) {
    QLabel* heading = headings_[k];
    const int column = k < columns_.size() ? columns_[k] : 0;
    const int x = static_cast<int>(std::lround(left + column * step));
    heading->setGeometry(x, 0, heading->sizeHint().width(), height());
  }
}

QSize ColumnHeadings::sizeHint() const {
  int width = 0;
  int height = 0;
  const double step = characterWidth();
  for (size_t k = 0; k < headings_.size(); ++k) {
    const QSize label = headings_[k]->sizeHint();
    const int column = k < columns_.size() ? columns_[k] : 0;
    width = std::max(width, static_cast<int>(std::lround(column * step)) + label.width());
    height = std::max(height, label.height());
  }
  return QSize(width, height);
}

void ColumnHeadings::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place();
}

void ColumnHeadings::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  place();
}

bool ColumnHeadings::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                           event->type() == QEvent::FontChange)) {
    place();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vantrels
