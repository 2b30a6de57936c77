#include "gui/printer_font_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "gui/object_names.h"
#include "gui/user_command.h"
#include "gui/window_support.h"
#include "model/inherited_messages.h"
#include "model/units.h"
#include "render/qt_text.h"
#include "render/report_fonts.h"

namespace vantrels {

namespace names = object_names::printer_font;

namespace {

constexpr double kPlacementTwips = 450;

}  // namespace

ReportFontChoice ChooseReportFonts(const std::vector<std::string>& screen_fonts) {
  ReportFontChoice choice;
  for (const std::string& name : screen_fonts) {
    if (!IsReportFace(name)) continue;
    if (choice.faces.size() == 1) choice.preselected = name;
    choice.faces.push_back(name);
  }
  // The only face installed is the choice to offer, not a blank box.
  if (choice.faces.size() == 1) choice.preselected = choice.faces.front();
  return choice;
}

PrinterFontDialog::PrinterFontDialog(const PrinterFontOffer& offer, Messages& messages,
                                     QWidget* parent)
    : QDialog(parent), messages_(messages) {
  setObjectName(names::kWindow);
  setWindowTitle("Select Font and a Printer");
  setModal(true);

  printer_caption_ = new QLabel("Printer Name :", this);
  printer_caption_->setObjectName(names::kPrinterCaption);
  printer_list_ = new QComboBox(this);
  printer_list_->setObjectName(names::kPrinterList);
  font_caption_ = new QLabel("Font Name :", this);
  font_caption_->setObjectName(names::kFontCaption);
  font_list_ = new QComboBox(this);
  font_list_->setObjectName(names::kFontList);
  preview_ = new QPushButton("&Preview", this);
  preview_->setObjectName(names::kPreview);
  cancel_ = new QPushButton("&Cancel", this);
  cancel_->setObjectName(names::kCancel);

  // A letter typed in a list chooses the first entry that starts with it; Enter there presses
  // "&Preview".
  for (QComboBox* list : {printer_list_, font_list_}) {
    list->setMinimumContentsLength(24);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  }
  preview_->setDefault(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(printer_caption_, 0, 0);
  grid->addWidget(printer_list_, 0, 1);
  grid->addWidget(font_caption_, 1, 0);
  grid->addWidget(font_list_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(preview_);
  buttons->addWidget(cancel_);
  grid->addLayout(buttons, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);

  setTabOrder(printer_list_, font_list_);
  setTabOrder(font_list_, preview_);
  setTabOrder(preview_, cancel_);

  connect(preview_, &QPushButton::clicked, this, [this] { takeChoice(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });

  RunCommand(messages_, inherited::kFontWindowLoadFailure, [this, &offer] {
    place();
    fillLists(offer);
    if (offer.preferred) prefer(*offer.preferred);
  });
  PressFocusedButtonOnEnter(*this);
}

PrinterFontDialog::~PrinterFontDialog() = default;

void PrinterFontDialog::place() {
  // Centred on the main window; without one, near the corner of the primary screen.
  if (parentWidget()) {
    PlaceOver(*this, parentWidget());
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().topLeft() + QPoint(TwipsToPixels(kPlacementTwips, logicalDpiX()),
                                               TwipsToPixels(kPlacementTwips, logicalDpiY())));
  }
}

void PrinterFontDialog::fillLists(const PrinterFontOffer& offer) {
  // Without printer information the rest of the load is skipped, silently.
  if (offer.printers.names.empty()) return;
  for (const std::string& name : offer.printers.names) {
    printer_list_->addItem(QString::fromStdString(name));
  }
  printer_list_->setCurrentIndex(
      printer_list_->findText(QString::fromStdString(offer.printers.current)));

  const ReportFontChoice fonts = ChooseReportFonts(offer.screen_fonts);
  for (const std::string& face : fonts.faces) font_list_->addItem(FromReportBytes(face));
  // A list that got no preselection shows nothing chosen (adding items chose the first).
  font_list_->setCurrentIndex(
      fonts.preselected.empty() ? -1 : font_list_->findText(FromReportBytes(fonts.preselected)));
}

void PrinterFontDialog::prefer(const PrinterChoice& choice) {
  const int printer = printer_list_->findText(FromReportBytes(choice.printer));
  if (printer >= 0) printer_list_->setCurrentIndex(printer);
  const int font = font_list_->findText(FromReportBytes(choice.font));
  if (font >= 0) font_list_->setCurrentIndex(font);
}

void PrinterFontDialog::takeChoice() {
  RunCommand(messages_, inherited::kFontWindowPreviewFailure, [this] {
    choice_ = PrinterChoice{ToReportBytes(printer_list_->currentText()),
                            ToReportBytes(font_list_->currentText())};
    accept();
  });
}

void PrinterFontDialog::cancel() {
  RunCommand(messages_, inherited::kFontWindowCancelFailure, [this] { reject(); });
}

}  // namespace vantrels
