#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

#include "book/book_renderer.h"
#include "model/book.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrels {

class AppContext;
class PageListDialog;

// "Print Selected Pages": the roadway type, the side of a divided roadway, the side's page total
// and the first and last page to print, typed or picked from the page list.
class PrintRangeDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows the book on show: its roadway type, and the side list, total and page list that
  // follow from it.
  explicit PrintRangeDialog(AppContext& ctx, QWidget* parent = nullptr);
  ~PrintRangeDialog() override;

  // A new book: its roadway type beside "Roadway Type:", and what follows from it.
  void showBook();
  // Side list, totals and page list follow the book's roadway type (also on a click on the
  // roadway type).
  void showRoadwayType();
  // The side list was clicked or set: total and page list of the chosen side.
  void showChosenSide();
  // The " . . ." buttons: pick the first or the last page from the page list.
  void pickFromPage();
  void pickToPage();
  // "Print": checks the range and closes the window when it can be printed.
  void acceptRange();

  // Shows the window modally and gives the pages "Print" accepted: zero-based, of the chosen
  // side (the left for an undivided roadway); nullopt after "Cancel" or the frame.
  std::optional<PageSpan> runModal();
  // The pages "Print" accepted last; nullopt after "Cancel" or the frame.
  const std::optional<PageSpan>& range() const { return range_; }

  // The page list the " . . ." buttons open, for the side chosen.
  PageListDialog& pageList() { return *page_list_; }

  // The side chosen in the side list.
  Side chosenSide() const;

  // "Cancel", the frame's close button and Escape.
  void reject() override;

 protected:
  // A click on the roadway type shows it again.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void pickPage(QLineEdit* box);
  // The last page index of the book's side (0 without a book).
  int32_t lastPageOf(Side side) const;

  // A page list closed by its frame is made afresh, as a new window would be.
  void makePageList();

  AppContext& ctx_;
  std::optional<PageSpan> range_;
  PageListDialog* page_list_ = nullptr;

  QLabel* roadway_caption_ = nullptr;
  QLabel* roadway_type_ = nullptr;
  QComboBox* side_ = nullptr;
  QLabel* total_caption_ = nullptr;
  QLabel* total_ = nullptr;
  QLabel* from_caption_ = nullptr;
  QLineEdit* from_page_ = nullptr;
  QPushButton* pick_from_page_ = nullptr;
  QLabel* to_caption_ = nullptr;
  QLineEdit* to_page_ = nullptr;
  QPushButton* pick_to_page_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* print_ = nullptr;
};

// The viewer's "Print Selected Pages": asks for the range, then prints it.
void PrintSelectedPages(AppContext& ctx);

}  // namespace vantrels
