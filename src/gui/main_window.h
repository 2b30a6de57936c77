#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "book/book_document.h"
#include "book/road.h"
#include "model/messages.h"
#include "model/result.h"

class QCheckBox;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace vantrels {

class BookViewer;
class FontCatalog;
class PrintController;
class RememberedChoices;

// The main window "Vantrels Report": project and control number, the criteria file, the
// report option boxes and the commands File Browse, About, Preview and Close, over a status line
// that tells what the last preview read. Preview puts a new book into the document and shows the
// viewer, which this window owns. It opens showing the upper group only; the option boxes, which
// change nothing in the book, appear when the window is enlarged. Closing it by any means closes
// the viewer and ends the program.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  MainWindow(BookDocument& document, PrintController& printing, FontCatalog& fonts,
             RememberedChoices& remembered, Messages& messages, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The file dialog: given the filter and the dialog's previous file name, returns the chosen
  // file or an empty text when cancelled. Preset to a Qt open-file dialog.
  std::function<QString(const QString& filter, const QString& previous)> ask_open_file;
  // The alignment chooser: given the names of a LandXML file's alignments, returns the one
  // chosen or an empty text when cancelled. Preset to a list dialog.
  std::function<QString(const QStringList& names)> ask_alignment;
  // Ends the process once every window is closed. Preset to QCoreApplication::quit.
  std::function<void()> end_program;
  // The heading's date, "mm dd yyyy"; empty means today.
  std::string heading_date;

  // Takes `path` as if File Browse had chosen it.
  void chooseFile(const QString& path);
  // The file dialog's file name, kept from one use to the next.
  const QString& dialogFileName() const { return dialog_file_name_; }
  // The criteria file Preview reads: the file name's bytes as the system takes them.
  const std::string& inputFile() const { return input_file_; }

  // File Browse: asks for the criteria file, starting in the folder of the last one.
  void browseForFile();
  // About: a note, then the About window.
  void showAbout();
  // Preview: the whole road from the criteria file to the viewer.
  void preview();
  // Close: closes the window, which ends the program.
  void closeProgram();

  // Closes every window and ends the program.
  void endProgram();

  // The viewer, loaded by the first preview and unloaded by its "&End" or frame; null when not
  // loaded.
  BookViewer* viewer() const { return viewer_; }

  // What the last preview read ("2001 stations read; ..."), as the status line tells it.
  QString statusNote() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The file name follows the box's width.
  void resizeEvent(QResizeEvent* event) override;
  // A criteria file dropped on the window is taken as File Browse takes it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // Enter in a number box moves the focus on (the key itself goes on to the box).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildWindow();
  void buildControls();
  void buildReportOptions();
  void layOut();
  // The window as it opens: a client area of 8370 x 3405 twips, or the upper group's least size.
  void sizeAsOpened();
  // The chosen file in the File Name box: elided in the middle when long, whole in its tool tip.
  void showFileName();
  void connectCommands();
  // The road of one preview; a failure it returns has shown its message.
  Status runPreview();
  // The font and printer window; what the book is then laid out on.
  Surface* choosePrinterAndFont();
  // Loads the viewer if needed and shows it, modeless, in front.
  void showViewer();
  void unloadViewer();
  // "Check All Points" ticks and greys the four point types; unticked, it frees them.
  void applyCheckAllPoints();
  // An offset option enables or greys its own row (0 left, 1 right).
  void enableOffsetRow(int row);
  // Enter in the project number box goes to the control number, there to File Browse.
  void moveFocusOnEnter(int box);

  BookDocument& document_;
  PrintController& printing_;
  FontCatalog& fonts_;
  RememberedChoices& remembered_;
  Messages& messages_;
  // What one preview leaves for the next.
  RoadMemory memory_;
  BookViewer* viewer_ = nullptr;
  QString dialog_file_name_;
  std::string input_file_;
  bool ending_ = false;

  QLabel* title_ = nullptr;
  std::array<QLabel*, 2> number_captions_{};
  // Project number, control number.
  std::array<QLineEdit*, 2> numbers_{};
  QLabel* file_caption_ = nullptr;
  QLabel* file_name_ = nullptr;
  QPushButton* browse_ = nullptr;
  QPushButton* about_ = nullptr;
  QPushButton* preview_ = nullptr;
  QPushButton* close_ = nullptr;
  QFrame* separator_ = nullptr;
  QStatusBar* status_ = nullptr;
  std::array<QCheckBox*, 2> offset_options_{};
  std::array<QLineEdit*, 2> offset_distances_{};
  std::array<QLabel*, 2> offset_from_captions_{};
  std::array<QComboBox*, 2> offset_references_{};
  QGroupBox* show_on_report_ = nullptr;
  std::array<QCheckBox*, 4> point_types_{};
  QCheckBox* check_all_points_ = nullptr;
};

}  // namespace vantrels
