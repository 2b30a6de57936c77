#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;

namespace vantrels {

class ColumnHeadings;

// "Select Page Number": one entry per page, with its first and last station. A click on an entry
// of the open list, or Enter, picks its page and hides the window; the arrow keys move within the
// list.
class PageListDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PageListDialog(QWidget* parent = nullptr);
  ~PageListDialog() override;

  // Lists `entries` (PageListEntries, Windows-1252 bytes) for pages 1, 2, ... and picks the first.
  void showPages(const std::vector<std::string>& entries);
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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool closed_by_frame_ = false;
  // A key or the wheel is moving the closed list: its new entry is not picked.
  bool moving_ = false;
  QLabel* page_heading_ = nullptr;
  QLabel* start_heading_ = nullptr;
  QLabel* end_heading_ = nullptr;
  QComboBox* list_ = nullptr;
  ColumnHeadings* headings_ = nullptr;
};

}  // namespace vantrels
