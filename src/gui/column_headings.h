#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;

namespace vantrels {

// The report's fixed-pitch face at the size of `base`, for lists whose entries line up their
// fields with blanks (the find list, the page list).
QFont ColumnListFont(const QFont& base);

// Where the fields of a list entry begin, in characters: the first character and each one after
// a run of five or more blanks, the narrowest gap between fields (a station may hold a blank).
std::vector<int> FieldColumns(const QString& entry);

// A row of headings, each standing above one column of the list below it: heading k starts where
// character `columns[k]` of the list's text starts. The headings become children of the row.
class ColumnHeadings : public QWidget {
  Q_OBJECT

 public:
  ColumnHeadings(QComboBox* list, std::vector<QLabel*> headings, std::vector<int> columns,
                 QWidget* parent = nullptr);

  // The list the headings stand above (of two lists sharing one place, the one shown).
  void setList(QComboBox* list);
  void setColumns(std::vector<int> columns);
  // Takes the columns of the list's first entry, when it has one.
  void followFirstEntry();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Where the list's text begins, in this row's coordinates.
  double textLeft() const;
  double characterWidth() const;
  void place();

  QComboBox* list_ = nullptr;
  std::vector<QLabel*> headings_;
  std::vector<int> columns_;
};

}  // namespace vantrels
