#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "model/book.h"

class QComboBox;
class QLabel;

namespace vantrels {

class AppContext;

// The page list entry of page index p: p + 1, 5 blanks, start station, 8 blanks, end station.
// Entries for every page but the last of the side; Windows-1252 bytes.
std::vector<std::string> PageListEntries(const SideBook& book);

// "Select Page Number": one entry per page but the last, with its first and last station.
class PageListDialog : public QDialog {
  Q_OBJECT

 public:
  // Fills the list for the print range window's chosen side and selects the first entry.
  explicit PageListDialog(AppContext& ctx, QWidget* parent = nullptr);
  ~PageListDialog() override;

  // Empties the list and fills it from the book of the undivided roadway or of `side`, then
  // selects the first entry (the picked index becomes 0).
  void fillList(Side side);
  // An entry was chosen: the picked index takes its position and the window hides.
  void pickEntry(int index);
  // The entry at list position `index`; empty when there is none.
  QString entry(int index) const;
  int entryCount() const;

  // True once the user closed the window by its frame (or Escape) since it was last shown.
  bool closedByFrame() const { return closed_by_frame_; }
  void resetClosedByFrame() { closed_by_frame_ = false; }

  // The frame's close button and Escape: the print range window unloads a page list closed
  // this way.
  void reject() override;

 private:
  AppContext& ctx_;
  bool closed_by_frame_ = false;
  QLabel* page_heading_ = nullptr;
  QLabel* start_heading_ = nullptr;
  QLabel* end_heading_ = nullptr;
  QComboBox* list_ = nullptr;
};

}  // namespace vantrels
