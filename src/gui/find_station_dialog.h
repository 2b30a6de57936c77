#pragma once

#include <QDialog>

#include "book/book_document.h"
#include "model/messages.h"
#include "model/result.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vantrels {

class ColumnHeadings;

// The find window "Find Station on the Page": one list holds the stations of the undivided
// roadway or the left side, another (editable) those of the right side; one of them is visible.
// It observes the document: a new book's entries reach its lists at once.
class FindStationDialog : public QDialog, public BookObserver {
  Q_OBJECT

 public:
  FindStationDialog(BookDocument& document, Messages& messages, QWidget* parent = nullptr);
  ~FindStationDialog() override;

  // Shows the right side's editable list (true) or the other list alone, each filled from the
  // book, with its first entry as its text (an empty list shows an empty text).
  void showList(bool right_side);

  // "Find" (or Enter in a list): shows the page of the entry in the list shown, on that list's
  // side, and hides the window; a station typed into the right side's box finds its page. A
  // blank box, a page or station that cannot be read or found is reported and the window stays
  // open, the viewer where it was; with an empty list the window only hides.
  void findStation();

  // True once the user closed the window by its frame (or Escape) since it was last shown.
  bool closedByFrame() const { return closed_by_frame_; }

  // The frame's close button and Escape: the window is unloaded.
  void reject() override;

  // A new book: the lists show its entries, and the left or undivided list its first one.
  void BookShown() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // Closed by the frame or Escape: the owner unloads it.
  void unloaded();

 private:
  // The page of the entry chosen, on the viewer's side.
  Status goToChosenEntry();

  Messages& messages_;
  bool closed_by_frame_ = false;
  // The side whose stations the list shown holds.
  Side shown_side_ = Side::Left;
  QLabel* station_caption_ = nullptr;
  QLabel* page_heading_ = nullptr;
  QLabel* station_heading_ = nullptr;
  ColumnHeadings* headings_ = nullptr;
  // The undivided roadway's or the left side's stations.
  QComboBox* list_ = nullptr;
  // The right side's stations; a page number can be typed into it.
  QComboBox* right_list_ = nullptr;
  QPushButton* find_ = nullptr;
};

}  // namespace vantrels
