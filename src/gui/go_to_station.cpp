#include "gui/go_to_station.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "book/page_input.h"
#include "gui/app_context.h"
#include "gui/frm_print.h"
#include "model/book.h"
#include "model/text.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

void FillCombo(QComboBox* combo, const std::vector<StationEntry>& entries) {
  combo->clear();
  for (const StationEntry& entry : entries)
    combo->addItem(FromReportBytes(FormatStationEntry(entry)));
}

// Shows `list` alone with its first entry as its text (an empty list shows an empty text).
void ShowList(frmStation& window, QComboBox* list) {
  window.RefreshLists();
  QComboBox* other = list == window.Combo1 ? window.Combo2 : window.Combo1;
  other->setVisible(false);
  list->setVisible(true);
  list->setCurrentIndex(list->count() > 0 ? 0 : -1);
  if (list->isEditable()) list->setEditText(list->count() > 0 ? list->itemText(0) : QString());
  window.ResetClosedByFrame();
}

void ShowModeless(frmStation& window) {
  window.setModal(false);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace

frmStation::frmStation(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmStation");
  setWindowTitle("Find Station on the Page");

  Label1 = new QLabel("Station :", this);
  Label1->setObjectName("Label1");
  Label2 = new QLabel("Page #", this);
  Label2->setObjectName("Label2");
  Label3 = new QLabel("Station", this);
  Label3->setObjectName("Label3");

  // A fixed-pitch font keeps the page numbers and stations of the entries in columns.
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  Combo1 = new QComboBox(this);
  Combo1->setObjectName("Combo1");
  Combo1->setFont(fixed);
  Combo1->setMinimumContentsLength(32);
  Combo2 = new QComboBox(this);
  Combo2->setObjectName("Combo2");
  Combo2->setFont(fixed);
  Combo2->setEditable(true);
  Combo2->setInsertPolicy(QComboBox::NoInsert);
  Combo2->setMinimumContentsLength(32);
  Combo2->setEditText("Combo2");
  Combo2->setVisible(false);

  Command1 = new QPushButton("Find", this);
  Command1->setObjectName("Command1");
  Command1->setAutoDefault(false);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

  // The headings stand above the two parts of an entry: the page number, then after 12 blanks
  // the station.
  const QFontMetrics metrics(fixed);
  Label2->setFixedWidth(metrics.horizontalAdvance(QString(13, ' ')) + 6);
  auto* headings = new QHBoxLayout;
  headings->setSpacing(0);
  headings->setContentsMargins(6, 0, 0, 0);
  headings->addWidget(Label2);
  headings->addWidget(Label3, 1);

  auto* layout = new QGridLayout(this);
  layout->addLayout(headings, 0, 1);
  layout->addWidget(Label1, 1, 0);
  // Both lists share one place; only one is visible at a time.
  layout->addWidget(Combo1, 1, 1);
  layout->addWidget(Combo2, 1, 1);
  layout->addWidget(Command1, 2, 1, Qt::AlignRight);
  layout->setColumnStretch(1, 1);

  setTabOrder(Combo1, Combo2);
  setTabOrder(Combo2, Command1);
}

frmStation::~frmStation() = default;

void frmStation::RefreshLists() {
  const Book* book = ctx_.book();
  FillCombo(Combo1, book ? book->Of(Side::Left).station_entries : std::vector<StationEntry>{});
  FillCombo(Combo2, book && book->Divided() ? book->Of(Side::Right).station_entries
                                            : std::vector<StationEntry>{});
}

void frmStation::Command1_Click() {
  try {
    const Book* book = ctx_.book();
    if (book) {
      // The list of the viewer's side: the editable right-side list may hold typed text.
      const bool right = book->Divided() && ctx_.navigator.Position().side == Side::Right;
      const std::string text = ToReportBytes((right ? Combo2 : Combo1)->currentText());
      // Nothing chosen (an empty list): nothing to show.
      if (!TrimBlanks(text).empty()) {
        const EntryPageNumber entry = ReadEntryPageNumber(text);
        if (!entry.page) throw std::runtime_error(entry.problem);
        const Navigation moved = ctx_.navigator.GoToPageNumber(*entry.page);
        if (!moved.moved) throw std::runtime_error(moved.refusal);
        ctx_.Viewer().RedrawPage();
      }
    }
    hide();
  } catch (const std::exception& e) {
    ctx_.messages.Show(std::string(" Program Error : ") + e.what());
  }
}

void frmStation::reject() {
  closed_by_frame_ = true;
  QDialog::reject();
  // Closing by the frame unloads the window; the station lists stay in the book.
  if (ctx_.StationWindowLoaded() && &ctx_.StationWindow() == this) ctx_.UnloadStationWindow();
}

void mnuGoToStation_Click(AppContext& ctx) {
  try {
    frmStation& window = ctx.StationWindow();
    ShowList(window, window.Combo1);
    ShowModeless(window);
  } catch (const std::exception& e) {
    ctx.messages.Show(std::string(" Program Error : ") + e.what() + " In mnuGoTOStation_Click");
  }
}

void mnuStationLeft_Click(AppContext& ctx) {
  try {
    ctx.navigator.SetSide(Side::Left);
    frmStation& window = ctx.StationWindow();
    ShowList(window, window.Combo1);
    ShowModeless(window);
  } catch (const std::exception& e) {
    ctx.messages.Show(std::string("Program Error : ") + e.what() + " In mnuStationLeft_Click");
  }
}

void mnuStationRight_Click(AppContext& ctx) {
  try {
    ctx.navigator.SetSide(Side::Right);
    frmStation& window = ctx.StationWindow();
    ShowList(window, window.Combo2);
    // A modeless find window that is still open is shown again, this time modally.
    if (window.isVisible()) window.hide();
    ctx.RunModal(window);
  } catch (const std::exception& e) {
    ctx.messages.Show(std::string("PRogram Error : ") + e.what() + " In mnuStationRight_Click");
  }
}

}  // namespace vantrels
