#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrels {

class AppContext;

// The main window "Vantrels Report": project and control number, the criteria file, the
// report option boxes and the commands File Browse, About, Preview and Close. Closing it by
// any means ends the program. Control arrays are named like "Text1_0", "Check1_4".
class Form2 : public QWidget {
  Q_OBJECT

 public:
  explicit Form2(AppContext& ctx, QWidget* parent = nullptr);
  ~Form2() override;

  QLabel* Label1 = nullptr;
  std::array<QLabel*, 2> Label2{};
  std::array<QLineEdit*, 2> Text1{};
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QPushButton* Command1 = nullptr;  // "File Browse"
  QPushButton* Command2 = nullptr;  // "About"
  QPushButton* Command3 = nullptr;  // "Preview"
  QPushButton* Command4 = nullptr;  // "Close"
  QFrame* Line1 = nullptr;
  std::array<QCheckBox*, 2> Check2{};
  std::array<QLineEdit*, 2> Text2{};
  std::array<QLabel*, 2> Label6{};
  std::array<QComboBox*, 2> Combo1{};
  QGroupBox* Frame1 = nullptr;
  std::array<QCheckBox*, 5> Check1{};

  // The file dialog: given the filter and the dialog's previous file name, returns the chosen
  // file or an empty text when cancelled. Preset to a Qt open-file dialog.
  std::function<QString(const QString& filter, const QString& previous)> ask_open_file;
  // Ends the process once every window is closed. Preset to QCoreApplication::quit.
  std::function<void()> end_program;

  // Takes `path` as if File Browse had chosen it.
  void ChooseFile(const QString& path);
  // The file dialog's file name, kept from one use to the next.
  const QString& DialogFileName() const { return dialog_file_name_; }

  void Command1_Click();  // File Browse
  void Command2_Click();  // About
  void Command3_Click();  // Preview: the whole road from the criteria file to the viewer
  void Command4_Click();  // Close
  void Check1_Click(int index);
  void Check2_Click(int index);

  // Closes every window and ends the program.
  void EndProgram();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter in a number box moves the focus on (the key itself goes on to the box).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWindow();
  void Text1_KeyPress(int index, int key_ascii);

  AppContext& ctx_;
  QString dialog_file_name_;
  bool ending_ = false;
};

}  // namespace vantrels
