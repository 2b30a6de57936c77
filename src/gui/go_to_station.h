#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace vantrels {

class AppContext;

// The find window "Find Station on the Page": Combo1 lists the stations of the undivided
// roadway or the left side, Combo2 (editable) those of the right side; one of them is visible.
// The entries are the book's; the lists show them again each time a menu command opens the
// window.
class frmStation : public QDialog {
  Q_OBJECT

 public:
  explicit frmStation(AppContext& ctx, QWidget* parent = nullptr);
  ~frmStation() override;

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* Combo1 = nullptr;
  QComboBox* Combo2 = nullptr;
  QPushButton* Command1 = nullptr;

  // Fills both lists from the book's station entries.
  void RefreshLists();

  // "Find": shows the page of the entry in the visible list and hides the window. A page that
  // cannot be read or lies outside the book is reported and the window stays open.
  void Command1_Click();

  // True once the user closed the window by its frame (or Escape) since it was last shown.
  bool ClosedByFrame() const { return closed_by_frame_; }
  void ResetClosedByFrame() { closed_by_frame_ = false; }

  // The frame's close button and Escape: the window is unloaded (deleted once control is back
  // in the event loop).
  void reject() override;

 private:
  AppContext& ctx_;
  bool closed_by_frame_ = false;
};

// The viewer's "&Go To" commands: each picks the list of its roadway or side, puts its first
// entry in the list's text and shows the find window ("GoTo StationRight" shows it modally).
void mnuGoToStation_Click(AppContext& ctx);
void mnuStationLeft_Click(AppContext& ctx);
void mnuStationRight_Click(AppContext& ctx);

}  // namespace vantrels
