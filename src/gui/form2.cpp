#include "gui/form2.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "gui/app_context.h"
#include "gui/frm_about.h"
#include "gui/frm_print.h"

namespace vantrels {

namespace {

constexpr double kClientWidthTwips = 8370;
constexpr int kEnterKey = 13;
constexpr char kCriteriaFilter[] = "Geopak Criteria CSV Files (*.csv)";

template <typename Widget>
Widget* Named(Widget* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

QString Indexed(const char* name, int index) {
  return QString::fromLatin1(name) + '_' + QString::number(index);
}

}  // namespace

Form2::Form2(AppContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("Form2");
  setWindowTitle("Vantrels Report");
  ask_open_file = [this](const QString& filter, const QString& previous) {
    return QFileDialog::getOpenFileName(this, "Open", previous, filter);
  };
  end_program = [] { QCoreApplication::quit(); };
  BuildWindow();
}

Form2::~Form2() = default;

void Form2::BuildWindow() {
  Label1 = Named(new QLabel("Vantrels Report", this), "Label1");
  QFont title = Label1->font();
  title.setBold(true);
  title.setPointSizeF(title.pointSizeF() * 1.6);
  Label1->setFont(title);
  Label1->setAlignment(Qt::AlignCenter);

  const char* number_captions[2] = {"Project Number:", "Control Number:"};
  for (int i = 0; i < 2; ++i) {
    Label2[i] = Named(new QLabel(number_captions[i], this), Indexed("Label2", i));
    Text1[i] = Named(new QLineEdit(this), Indexed("Text1", i));
    Text1[i]->installEventFilter(this);
  }
  Label3 = Named(new QLabel("File Name:", this), "Label3");
  Label4 = Named(new QLabel("#", this), "Label4");
  // A long path must not widen the window; the whole path is in the tool tip.
  Label4->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  Label4->setFrameShape(QFrame::StyledPanel);
  Command1 = Named(new QPushButton("File Browse", this), "Command1");
  Command2 = Named(new QPushButton("About", this), "Command2");
  Command3 = Named(new QPushButton("Preview", this), "Command3");
  Command4 = Named(new QPushButton("Close", this), "Command4");
  Line1 = Named(new QFrame(this), "Line1");
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Sunken);

  const char* offset_captions[2] = {"Left offset points with ", "Right offset points with "};
  for (int i = 0; i < 2; ++i) {
    Check2[i] = Named(new QCheckBox(offset_captions[i], this), Indexed("Check2", i));
    Text2[i] = Named(new QLineEdit(this), Indexed("Text2", i));
    Text2[i]->setMaximumWidth(80);
    Label6[i] = Named(new QLabel("offset from ", this), Indexed("Label6", i));
    Combo1[i] = Named(new QComboBox(this), Indexed("Combo1", i));
    Combo1[i]->addItems({"From Last Point", "From Center Line"});
    Combo1[i]->setCurrentIndex(0);
    Text2[i]->setEnabled(false);
    Label6[i]->setEnabled(false);
    Combo1[i]->setEnabled(false);
    connect(Check2[i], &QCheckBox::toggled, this, [this, i] { Check2_Click(i); });
  }

  Frame1 = Named(new QGroupBox("Show On Report", this), "Frame1");
  const char* point_captions[5] = {"Offset Points", "Break Points", "Edge of Pavement",
                                   "Shoulder Points", "Check All Points"};
  for (int i = 0; i < 5; ++i) {
    Check1[i] = Named(new QCheckBox(point_captions[i], Frame1), Indexed("Check1", i));
    connect(Check1[i], &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
  }

  auto* numbers = new QGridLayout;
  for (int i = 0; i < 2; ++i) {
    numbers->addWidget(Label2[i], i, 0);
    numbers->addWidget(Text1[i], i, 1);
  }
  numbers->addWidget(Label3, 2, 0);
  numbers->addWidget(Label4, 2, 1);
  numbers->addWidget(Command1, 2, 2);
  numbers->setColumnStretch(1, 1);

  auto* commands = new QHBoxLayout;
  commands->addStretch();
  for (QPushButton* button : {Command2, Command3, Command4}) {
    button->setMinimumWidth(100);
    commands->addWidget(button);
  }
  commands->addStretch();

  auto* offsets = new QGridLayout;
  for (int i = 0; i < 2; ++i) {
    offsets->addWidget(Check2[i], i, 0);
    offsets->addWidget(Text2[i], i, 1);
    offsets->addWidget(Label6[i], i, 2);
    offsets->addWidget(Combo1[i], i, 3);
  }
  offsets->setColumnStretch(4, 1);

  auto* points = new QGridLayout(Frame1);
  for (int i = 0; i < 4; ++i) points->addWidget(Check1[i], i / 2, i % 2);
  points->addWidget(Check1[4], 2, 0, 1, 2);

  auto* page = new QVBoxLayout(this);
  page->addWidget(Label1);
  page->addLayout(numbers);
  page->addLayout(commands);
  page->addWidget(Line1);
  page->addLayout(offsets);
  page->addWidget(Frame1);

  setTabOrder(Text1[0], Text1[1]);
  setTabOrder(Text1[1], Command1);
  setTabOrder(Command1, Command2);
  setTabOrder(Command2, Command3);
  setTabOrder(Command3, Command4);

  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });

  // The window opens tall enough to show the lower group too, which it could not reach
  // otherwise.
  const int width = std::max(TwipsToPixels(kClientWidthTwips, logicalDpiX()), sizeHint().width());
  resize(width, sizeHint().height());
}

void Form2::ChooseFile(const QString& path) {
  if (!path.isEmpty()) dialog_file_name_ = path;
  ctx_.state.input_file = QFile::encodeName(dialog_file_name_).toStdString();
  Label4->setText(dialog_file_name_);
  Label4->setToolTip(dialog_file_name_);
}

void Form2::Command1_Click() {
  // A cancelled dialog keeps its previous file name, which is taken all the same.
  ChooseFile(ask_open_file ? ask_open_file(kCriteriaFilter, dialog_file_name_) : QString());
}

void Form2::Command2_Click() {
  ctx_.messages.Show("About Box should go here");
  frmAbout about(ctx_.messages, this);
  ctx_.RunModal(about);
}

void Form2::Command4_Click() {
  try {
    close();
  } catch (const std::exception&) {
    ctx_.messages.Show("Error occured in Command4_Click");
  }
}

void Form2::Check1_Click(int index) {
  if (index != 4) return;
  const bool all = Check1[4]->isChecked();
  for (int i = 0; i < 4; ++i) {
    Check1[i]->setChecked(all);
    Check1[i]->setEnabled(!all);
  }
}

void Form2::Check2_Click(int index) {
  const bool on = Check2[index]->isChecked();
  Text2[index]->setEnabled(on);
  Label6[index]->setEnabled(on);
  Combo1[index]->setEnabled(on);
}

void Form2::Text1_KeyPress(int index, int key_ascii) {
  if (key_ascii != kEnterKey) return;
  if (index == 0) {
    Text1[1]->setFocus();
  } else {
    Command1->setFocus();
  }
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    for (int i = 0; i < 2; ++i) {
      if (watched == Text1[i] && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        Text1_KeyPress(i, kEnterKey);
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Form2::EndProgram() {
  if (ending_) return;
  ending_ = true;
  ctx_.UnloadAll();
  hide();
  if (end_program) end_program();
}

void Form2::closeEvent(QCloseEvent* event) {
  event->accept();
  EndProgram();
}

}  // namespace vantrels
