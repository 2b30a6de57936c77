#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/book.h"

class QComboBox;
class QLabel;

namespace vantrels {

class ColumnHeadings;

// The page list entry of page index p: p + 1, 5 blanks, start station, 8 blanks, end station.
// Entries for every page but the last of the side; Windows-1252 bytes.
std::vector<std::string> PageListEntries(const SideBook& book);

// "Select Page Number": one entry per page but the last, with its first and last station. A
// click on an entry picks its page and hides the window.
class PageListDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PageListDialog(QWidget* parent = nullptr);
  ~PageListDialog() override;

  // Lists the pages of `book` (none when null) and picks the first.
  void showPages(const SideBook* book);
  // An entry was clicked: its page is picked and the window hides.
  void pickEntry(int index);
  // The page of the entry picked last (counted from 1); nullopt when the list is empty.
  std::optional<int32_t> pickedPage() const;
  // The entries as listed, for the window's readers.
  int entryCount() const;
  QString entry(int index) const;

  // True once the user closed the window by its frame (or Escape) since it was last shown.
  bool closedByFrame() const { return closed_by_frame_; }
  void resetClosedByFrame() { closed_by_frame_ = false; }

  // The frame's close button and Escape: nothing is picked.
  void reject() override;

 private:
  bool closed_by_frame_ = false;
  QLabel* page_heading_ = nullptr;
  QLabel* start_heading_ = nullptr;
  QLabel* end_heading_ = nullptr;
  QComboBox* list_ = nullptr;
  ColumnHeadings* headings_ = nullptr;
};

}  // namespace vantrels
