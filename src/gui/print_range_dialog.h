#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

#include "model/book.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrels {

class AppContext;

// "Print Selected Pages": the roadway type, the side of a divided roadway, the side's page total
// and the first and last page to print, typed or picked from the page list.
class PrintRangeDialog : public QDialog {
  Q_OBJECT

 public:
  // Takes the book's roadway type, which brings side list, total and page list up to date
  // (creating the page list window if needed).
  explicit PrintRangeDialog(AppContext& ctx, QWidget* parent = nullptr);
  ~PrintRangeDialog() override;

  // Shows `roadway_type` beside "Roadway Type:" and follows the book on show.
  void setRoadwayType(const QString& roadway_type);
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

  // Shows the window modally until "Print" accepts a range (true) or it is cancelled or closed
  // (false). Cancel is told apart from the range 1 to 1, which both store as 0..0.
  bool runModal();

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

  AppContext& ctx_;
  bool print_chosen_ = false;

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

// The roadway type shown in the print range window (made, hidden, on first use), which brings
// its side list, totals and page list up to date for a new book.
void SetPrintRangeRoadwayType(AppContext& ctx, Roadway roadway);

}  // namespace vantrels
