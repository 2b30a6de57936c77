#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace vantrels {

class AppContext;
class ColumnHeadings;

// The find window "Find Station on the Page": one list holds the stations of the undivided
// roadway or the left side, another (editable) those of the right side; one of them is visible.
// The entries are the book's; the lists show them again each time a menu command opens the
// window.
class FindStationDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindStationDialog(AppContext& ctx, QWidget* parent = nullptr);
  ~FindStationDialog() override;

  // Fills both lists from the book's station entries.
  void refreshLists();
  // A new book: the lists show its entries, and the undivided or left-side list its first one.
  void showBook();
  // Shows the right side's editable list (true) or the other list alone, with its first entry
  // as its text (an empty list shows an empty text).
  void showList(bool right_side);

  // "Find": hands the page of the entry in the list of the viewer's side to the viewer and hides
  // the window. A blank box, a page that cannot be read or one outside the book is reported and
  // the window stays open; with an empty list the window only hides.
  void findStation();

  // True once the user closed the window by its frame (or Escape) since it was last shown.
  bool closedByFrame() const { return closed_by_frame_; }

  // The frame's close button and Escape: the window is unloaded (deleted once control is back
  // in the event loop).
  void reject() override;

 private:
  AppContext& ctx_;
  bool closed_by_frame_ = false;
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

// The viewer's "&Go To" commands: each picks the list of its roadway or side, puts its first
// entry in the list's text and shows the find window. "GoTo StationLeft" and "GoTo
// StationRight" switch the viewer to their side at once; the right side's window is modal.
void OpenStationFinder(AppContext& ctx);
void OpenLeftStationFinder(AppContext& ctx);
void OpenRightStationFinder(AppContext& ctx);

}  // namespace vantrels
