#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "model/book.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrels {

class AppContext;

// "Print Selected Pages": the roadway type, the side of a divided roadway, the side's page total
// and the first and last page to print, typed or picked from Form6.
class Form5 : public QDialog {
  Q_OBJECT

 public:
  // Label4 takes the book's roadway type, which brings side list, total and page list up to
  // date (creating Form6 if needed).
  explicit Form5(AppContext& ctx, QWidget* parent = nullptr);
  ~Form5() override;

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QComboBox* Combo2 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command1_0 = nullptr;  // "Cancel"
  QPushButton* Command1_1 = nullptr;  // "Print"

  // Sets Label4 and runs its change handler.
  void SetLabel4(const QString& text);
  // Label4 changed or clicked: side list, totals and page list follow the book's roadway type.
  void Label4_Change();
  // Side list clicked or set: total and page list of the chosen side.
  void Combo2_Click();
  // " . . ." of the first (Command2) and the last page (Command3): pick from Form6.
  void Command2_Click();
  void Command3_Click();
  // Index 0 "Cancel", index 1 "Print".
  void Command1_Click(int index);

  // Shows the window modally until "Print" accepts a range (true) or it is cancelled or closed
  // (false). Cancel is told apart from the range 1 to 1, which both store as 0..0.
  bool RunModal();

  // The side chosen in the side list.
  Side ChosenSide() const;

  // The frame's close button and Escape act as "Cancel".
  void reject() override;

 protected:
  // A click on Label4 runs its change handler.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PickPage(QLineEdit* box);
  // The last page index of the book's side (0 without a book).
  int32_t LastPageOf(Side side) const;

  AppContext& ctx_;
  bool print_chosen_ = false;
};

// "Select Page Number": one entry per page but the last, with its first and last station.
class Form6 : public QDialog {
  Q_OBJECT

 public:
  // Fills the list for Form5's chosen side and selects the first entry.
  explicit Form6(AppContext& ctx, QWidget* parent = nullptr);
  ~Form6() override;

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* Combo1 = nullptr;

  // Empties the list and fills it from the book of the undivided roadway or of `side`, then
  // selects the first entry (the picked index becomes 0).
  void FillList(Side side);
  // An entry was chosen: the picked index takes its position and the window hides.
  void Combo1_Click(int index);

  // True once the user closed the window by its frame (or Escape) since it was last shown.
  bool ClosedByFrame() const { return closed_by_frame_; }
  void ResetClosedByFrame() { closed_by_frame_ = false; }

  // The frame's close button and Escape: Form5 unloads a page list closed this way.
  void reject() override;

 private:
  AppContext& ctx_;
  bool closed_by_frame_ = false;
};

// The page list entry of page index p: p + 1, 5 blanks, start station, 8 blanks, end station.
// Entries for every page but the last of the data set; Windows-1252 bytes.
std::vector<std::string> PageListEntries(const SideBook& book);

// The viewer's "Print Selected Pages": asks for the range in Form5, then prints it.
void PrnSelPages_Click(AppContext& ctx);

// The roadway type shown beside "Roadway Type:" in Form5 (loading Form5, hidden, on first use),
// which brings its side list, totals and page list up to date for a new book.
void SetPrintRangeRoadwayType(AppContext& ctx, Roadway roadway);

}  // namespace vantrels
