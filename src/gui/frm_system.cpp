#include "gui/frm_system.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <exception>

#include "gui/app_context.h"
#include "gui/frm_print.h"
#include "render/qt_text.h"

namespace vantrels {

namespace {

constexpr double kPlacementTwips = 450;

std::string Describe(const std::exception& e) {
  return e.what();
}

// Keys that reach a list's key handler: those that type a character. Tab moves the focus by
// itself and never reaches it.
bool TypesCharacter(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) return false;
  return !key.text().isEmpty();
}

}  // namespace

ReportFontChoice ChooseReportFonts(const std::vector<std::string>& screen_fonts) {
  ReportFontChoice choice;
  for (const std::string& name : screen_fonts) {
    if (!IsReportFace(name)) continue;
    if (choice.faces.size() == 1) choice.preselected = name;
    choice.faces.push_back(name);
  }
  return choice;
}

frmSystem::frmSystem(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmSystem");
  setWindowTitle("Select Font and a Printer");
  setModal(true);

  Label1_0 = new QLabel("Printer Name :", this);
  Label1_0->setObjectName("Label1_0");
  combo1_0 = new QComboBox(this);
  combo1_0->setObjectName("combo1_0");
  Label1_1 = new QLabel("Font Name :", this);
  Label1_1->setObjectName("Label1_1");
  combo1_1 = new QComboBox(this);
  combo1_1->setObjectName("combo1_1");
  cmdDone = new QPushButton("&Preview", this);
  cmdDone->setObjectName("cmdDone");
  cmdCancel = new QPushButton("&Cancel", this);
  cmdCancel->setObjectName("cmdCancel");

  for (QComboBox* list : {combo1_0, combo1_1}) {
    list->setMinimumContentsLength(24);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->installEventFilter(this);
  }

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1_0, 0, 0);
  grid->addWidget(combo1_0, 0, 1);
  grid->addWidget(Label1_1, 1, 0);
  grid->addWidget(combo1_1, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdDone);
  buttons->addWidget(cmdCancel);
  grid->addLayout(buttons, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);

  setTabOrder(combo1_0, combo1_1);
  setTabOrder(combo1_1, cmdDone);
  setTabOrder(cmdDone, cmdCancel);

  connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

  Form_Load();
}

frmSystem::~frmSystem() = default;

void frmSystem::Form_Load() {
  try {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    move(origin + QPoint(TwipsToPixels(kPlacementTwips, logicalDpiX()),
                         TwipsToPixels(kPlacementTwips, logicalDpiY())));

    try {
      // The printers as the platform has them now: one may have been added since the last
      // preview.
      if (auto* platform = dynamic_cast<QtPrintService*>(&ctx_.printers)) platform->Refresh();
      for (const std::string& name : ctx_.printers.PrinterNames()) {
        combo1_0->addItem(QString::fromStdString(name));
      }
      combo1_0->setCurrentIndex(
          combo1_0->findText(QString::fromStdString(ctx_.printers.CurrentPrinterName())));
    } catch (const std::exception&) {
      // Without printer information the rest of the load is skipped, silently.
      return;
    }

    const ReportFontChoice fonts = ChooseReportFonts(ctx_.fonts.ScreenFontNames());
    for (const std::string& face : fonts.faces) combo1_1->addItem(FromReportBytes(face));
    // A list that got no preselection shows nothing chosen (adding items chose the first).
    combo1_1->setCurrentIndex(
        fonts.preselected.empty() ? -1 : combo1_1->findText(FromReportBytes(fonts.preselected)));
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error: " + Describe(e) + " frmSystem(form_load)");
  }
}

void frmSystem::cmdDone_Click() {
  try {
    ctx_.state.printer_name = ToReportBytes(combo1_0->currentText());
    ctx_.state.report_font = ToReportBytes(combo1_1->currentText());
    try {
      ctx_.printers.MakeCurrent(combo1_0->currentText().toStdString());
      ctx_.SelectCurrentPrinter();
    } catch (const std::exception&) {
      // Without printer information the rest of the command is skipped, silently.
      return;
    }
    accept();
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error: " + Describe(e) + " frmSystem(cmdDone)");
  }
}

void frmSystem::cmdCancel_Click() {
  try {
    reject();
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error: " + Describe(e) + " frmSystem(cmdcancel)");
  }
}

bool frmSystem::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || (watched != combo1_0 && watched != combo1_1)) {
    return QDialog::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (!TypesCharacter(*key)) return false;
  try {
    if (watched == combo1_0) {
      combo1_1->setFocus();
    } else {
      cmdDone->setFocus();
    }
  } catch (const std::exception& e) {
    ctx_.messages.Show(" Program Error: " + Describe(e) + " frmSystem(combo1_keypress)");
  }
  // Enter only moves the focus: it must not also press the button it lands on.
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace vantrels
