#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "book/book_document.h"
#include "gui/book_viewer.h"
#include "gui/main_window.h"
#include "gui/print_controller.h"
#include "gui/printer_font_dialog.h"
#include "gui/remembered_choices.h"
#include "gui/window_support.h"
#include "model/messages.h"
#include "render/print_service.h"
#include "render/qt_text.h"
#include "render/report_fonts.h"
#include "widget_lookup.h"

namespace vantrels::gui_test {

inline QString Example(const char* name) {
  return QString(VANTRELS_EXAMPLES) + "/" + name;
}

// The texts of the viewer's picture, decoded.
inline std::vector<std::string> PictureTexts(const WindowSurface& picture) {
  std::vector<std::string> texts;
  for (const TextRun& run : picture.Runs()) texts.push_back(run.text.toStdString());
  return texts;
}

inline bool PictureShows(const WindowSurface& picture, const std::string& text) {
  for (const std::string& shown : PictureTexts(picture)) {
    if (shown == text) return true;
  }
  return false;
}

// What the font and printer window offers for these printers and fonts.
inline PrinterFontOffer OfferOf(const PrintService& printers, const FontCatalog& fonts) {
  return {{printers.PrinterNames(), printers.CurrentPrinterName()}, fonts.ScreenFontNames(), {}};
}

// Closes the viewer of `form`, if loaded, and deletes what waits to be deleted.
inline void CloseViewer(MainWindow& form) {
  if (form.viewer()) form.viewer()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The desktop program with a recording message sink, no installed printer (the PDF entry
// only) and a fixed font list. Modal windows never run an event loop: the font window is
// answered by `font_window_answer` (default: "&Preview"), any other modal window is recorded.
class GuiTest : public ::testing::Test {
 protected:
  GuiTest() {
    form.end_program = [this] { ++program_ends; };
    form.heading_date = "01 02 2024";
    AnswerModalWindowsAsUsual();
    font_window_answer = [](PrinterFontDialog& window) {
      Press(window, names::printer_font::kPreview);
    };
  }

  ~GuiTest() override {
    SetModalRunner(nullptr);
    CloseViewer(form);
  }

  // The font window is answered by `font_window_answer`, any other modal window recorded.
  void AnswerModalWindowsAsUsual() {
    SetModalRunner([this](QDialog& dialog) {
      modal_titles.push_back(dialog.windowTitle().toStdString());
      if (auto* font_window = qobject_cast<PrinterFontDialog*>(&dialog)) {
        if (font_window_answer) font_window_answer(*font_window);
      }
      return dialog.result();
    });
  }

  // Fills the numbers and the file name as a user would and presses Preview.
  void PreviewFile(const QString& file, const QString& project = "P-17",
                   const QString& control = "C-4") {
    MainWindowChild<QLineEdit>(names::main_window::kProjectNumber).setText(project);
    MainWindowChild<QLineEdit>(names::main_window::kControlNumber).setText(control);
    form.ask_open_file = [file](const QString&, const QString&) { return file; };
    Press(form, names::main_window::kFileBrowse);
    Press(form, names::main_window::kPreview);
  }

  // Clicks the push button of `window` with this object name.
  static void Press(const QWidget& window, const char* name) {
    Child<QPushButton>(window, name).click();
  }

  template <typename Widget>
  Widget& MainWindowChild(const char* name) {
    return Child<Widget>(form, name);
  }

  // The viewer the last preview opened; a test without one ends at once.
  BookViewer& Viewer() {
    if (form.viewer() == nullptr) throw std::runtime_error("the viewer is not loaded");
    return *form.viewer();
  }
  bool ViewerLoaded() const { return form.viewer() != nullptr; }

  // The book on show and the viewer's place in it.
  const Book& TheBook() const { return *document.book(); }
  int32_t LastPage(Side side = Side::Left) const { return TheBook().Of(side).last_page; }
  Side CurrentSide() const { return document.place().side; }
  int32_t CurrentPage() const { return document.place().page; }
  // The station list of a side as the find window shows it.
  std::vector<std::string> Listed(Side side = Side::Left) const {
    std::vector<std::string> entries;
    for (const StationEntry& entry : TheBook().Of(side).station_entries) {
      entries.push_back(FormatStationEntry(entry));
    }
    return entries;
  }

  RecordingMessages messages;
  QtPrintService printers{{}, ""};
  FixedFontCatalog fonts{{"Arial", "Courier New", "DejaVu Sans Mono", "Lucida Console"}};
  RememberedChoices remembered;
  BookDocument document;
  PrintController printing{printers, messages};
  MainWindow form{document, printing, fonts, remembered, messages};
  std::function<void(PrinterFontDialog&)> font_window_answer;
  std::vector<std::string> modal_titles;
  int program_ends = 0;
};

}  // namespace vantrels::gui_test
