#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

#include "book/book_document.h"
#include "book/book_renderer.h"
#include "model/book.h"
#include "model/messages.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrels {

class PageListDialog;

// "Print Selected Pages": the roadway type, the side of a divided roadway, the side's page total
// and the first and last page to print, typed or picked from the page list. It observes the
// document: every new book shows its roadway type, its left or only side and that side's pages.
class PrintRangeDialog : public QDialog, public BookObserver {
  Q_OBJECT

 public:
  PrintRangeDialog(BookDocument& document, Messages& messages, QWidget* parent = nullptr);
  ~PrintRangeDialog() override;

  // A new book: its roadway type beside "Roadway Type:", what follows from it, and empty page
  // boxes (the pages typed for another book are not this book's).
  void BookShown() override;
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
  // side (the left for an undivided roadway); nullopt after "Cancel" or the frame. The page
  // count is the book's, however long it is.
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
  // The roadway type of the book beside "Roadway Type:", and what follows from it.
  void showBook();
  void pickPage(QLineEdit* box);
  // The last page index of the book's side (0 without a book).
  int32_t lastPageOf(Side side) const;

  // A page list closed by its frame is made afresh, as a new window would be.
  void makePageList();

  Messages& messages_;
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

}  // namespace vantrels
