#include "gui/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "gui/about_dialog.h"
#include "gui/book_viewer.h"
#include "gui/object_names.h"
#include "gui/remembered_choices.h"
#include "gui/user_command.h"
#include "gui/window_support.h"
#include "model/inherited_messages.h"
#include "model/units.h"

namespace vantrels {

namespace names = object_names::main_window;

namespace {

// The client area the window opens with: the upper group only.
constexpr double kClientWidthTwips = 8370;
constexpr double kClientHeightTwips = 3405;
constexpr char kCriteriaFilter[] =
    "Geopak Criteria CSV Files (*.csv);;LandXML Cross Sections (*.xml)";
constexpr char kOptionsTip[] =
    "The book always shows every point: this option changes nothing in it.";
constexpr char kOptionsHint[] =
    "Enlarge the window to see the report options; the book always shows every point.";

// Holds the lower group at its natural size from the top, with the extra room below it. Where
// the window leaves too little room for the whole group, a note says how to show it instead, so
// the window can open on the upper group alone.
class LowerGroup : public QWidget {
 public:
  LowerGroup(QWidget* contents, QWidget* parent)
      : QWidget(parent), contents_(contents), hint_(new QLabel(kOptionsHint, this)) {
    contents_->setParent(this);
    hint_->setObjectName(names::kOptionsHint);
    hint_->setEnabled(false);
    hint_->setWordWrap(true);
    hint_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  }

  QSize sizeHint() const override { return contents_->sizeHint(); }
  QSize minimumSizeHint() const override { return {0, 0}; }

 protected:
  void resizeEvent(QResizeEvent*) override {
    const QSize natural = contents_->sizeHint();
    const bool fits = height() >= natural.height();
    contents_->setGeometry(0, 0, width(), natural.height());
    contents_->setVisible(fits);
    hint_->setGeometry(rect());
    hint_->setVisible(!fits);
  }

 private:
  QWidget* contents_;
  QLabel* hint_;
};

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

// The one local CSV or LandXML file being dragged; empty for anything else.
QString DroppedCriteriaFile(const QMimeData* data) {
  if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
  const QString path = data->urls().front().toLocalFile();
  const bool book_file = path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ||
                         path.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive);
  return book_file ? path : QString();
}

// A list of the alignments; Enter or a double click takes the one chosen.
QString AskForAlignment(QWidget* owner, const QStringList& names) {
  QInputDialog dialog(owner);
  dialog.setObjectName("alignmentChooser");
  dialog.setWindowTitle("Choose Alignment");
  dialog.setLabelText("The file holds several alignments with cross sections.\n"
                      "Choose the alignment of the book:");
  dialog.setComboBoxItems(names);
  dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
  PlaceOver(dialog, owner);
  return RunModal(dialog) == QDialog::Accepted ? dialog.textValue() : QString();
}

}  // namespace

MainWindow::MainWindow(BookDocument& document, PrintController& printing, FontCatalog& fonts,
                       RememberedChoices& remembered, Messages& messages, QWidget* parent)
    : QWidget(parent),
      document_(document),
      printing_(printing),
      fonts_(fonts),
      remembered_(remembered),
      messages_(messages) {
  setObjectName(names::kWindow);
  setWindowTitle("Vantrels Report");
  ask_open_file = [this](const QString& filter, const QString& previous) {
    return QFileDialog::getOpenFileName(this, "Open", previous, filter);
  };
  ask_alignment = [this](const QStringList& names) { return AskForAlignment(this, names); };
  end_program = [] { QCoreApplication::quit(); };
  buildWindow();
  numbers_[0]->setText(remembered_.ProjectNumber());
  setAcceptDrops(true);
}

MainWindow::~MainWindow() {
  delete viewer_;
}

void MainWindow::buildWindow() {
  buildControls();
  buildReportOptions();
}

void MainWindow::buildControls() {
  title_ = Named(new QLabel("Vantrels Report", this), names::kTitle);
  QFont title = title_->font();
  title.setBold(true);
  title.setPointSizeF(title.pointSizeF() * 1.6);
  title_->setFont(title);
  title_->setAlignment(Qt::AlignCenter);
  // Extra height goes to the form below, not to the title.
  title_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

  const char* number_captions[2] = {"Project Number:", "Control Number:"};
  const char* number_names[2] = {names::kProjectNumber, names::kControlNumber};
  for (int i = 0; i < 2; ++i) {
    number_captions_[i] = Named(new QLabel(number_captions[i], this), names::kNumberCaption[i]);
    numbers_[i] = Named(new QLineEdit(this), number_names[i]);
    numbers_[i]->installEventFilter(this);
  }
  file_caption_ = Named(new QLabel("File Name:", this), names::kFileCaption);
  file_name_ = Named(new QLabel("#", this), names::kFileName);
  // A long path must not widen the window: it is elided in the middle, whole in the tool tip.
  file_name_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  file_name_->setTextFormat(Qt::PlainText);
  file_name_->setFrameShape(QFrame::StyledPanel);
  browse_ = Named(new QPushButton("File Browse", this), names::kFileBrowse);
  about_ = Named(new QPushButton("About", this), names::kAbout);
  preview_ = Named(new QPushButton("Preview", this), names::kPreview);
  close_ = Named(new QPushButton("Close", this), names::kClose);
  separator_ = Named(new QFrame(this), names::kSeparator);
  separator_->setFrameShape(QFrame::HLine);
  separator_->setFrameShadow(QFrame::Sunken);
  status_ = Named(new QStatusBar(this), names::kStatusLine);
  status_->setSizeGripEnabled(false);
}

void MainWindow::buildReportOptions() {
  const char* offset_captions[2] = {"Left offset points with ", "Right offset points with "};
  for (int i = 0; i < 2; ++i) {
    offset_options_[i] = Named(new QCheckBox(offset_captions[i], this), names::kOffsetOption[i]);
    offset_distances_[i] = Named(new QLineEdit(this), names::kOffsetDistance[i]);
    offset_distances_[i]->setMaximumWidth(80);
    offset_from_captions_[i] =
        Named(new QLabel("offset from ", this), names::kOffsetFromCaption[i]);
    offset_references_[i] = Named(new QComboBox(this), names::kOffsetReference[i]);
    offset_references_[i]->addItems({"From Last Point", "From Center Line"});
    offset_references_[i]->setCurrentIndex(0);
    offset_distances_[i]->setEnabled(false);
    offset_from_captions_[i]->setEnabled(false);
    offset_references_[i]->setEnabled(false);
    connect(offset_options_[i], &QCheckBox::toggled, this, [this, i] { enableOffsetRow(i); });
  }

  show_on_report_ = Named(new QGroupBox("Show On Report", this), names::kShowOnReport);
  const char* point_captions[4] = {"Offset Points", "Break Points", "Edge of Pavement",
                                   "Shoulder Points"};
  for (int i = 0; i < 4; ++i) {
    point_types_[i] =
        Named(new QCheckBox(point_captions[i], show_on_report_), names::kPointType[i]);
  }
  check_all_points_ =
      Named(new QCheckBox("Check All Points", show_on_report_), names::kCheckAllPoints);
  connect(check_all_points_, &QCheckBox::toggled, this, [this] { applyCheckAllPoints(); });
  for (QWidget* option : std::initializer_list<QWidget*>{
           offset_options_[0], offset_options_[1], offset_distances_[0], offset_distances_[1],
           offset_references_[0], offset_references_[1], show_on_report_}) {
    option->setToolTip(kOptionsTip);
  }
  for (QCheckBox* box : point_types_) box->setToolTip(kOptionsTip);
  check_all_points_->setToolTip(kOptionsTip);
  layOut();
}

void MainWindow::layOut() {
  auto* numbers = new QGridLayout;
  for (int i = 0; i < 2; ++i) {
    numbers->addWidget(number_captions_[i], i, 0);
    numbers->addWidget(numbers_[i], i, 1);
  }
  numbers->addWidget(file_caption_, 2, 0);
  numbers->addWidget(file_name_, 2, 1);
  numbers->addWidget(browse_, 2, 2);
  numbers->setColumnStretch(1, 1);

  auto* commands = new QHBoxLayout;
  commands->addStretch();
  for (QPushButton* button : {about_, preview_, close_}) {
    button->setMinimumWidth(100);
    commands->addWidget(button);
  }
  commands->addStretch();

  auto* options = new QWidget;
  auto* offsets = new QGridLayout;
  for (int i = 0; i < 2; ++i) {
    offsets->addWidget(offset_options_[i], i, 0);
    offsets->addWidget(offset_distances_[i], i, 1);
    offsets->addWidget(offset_from_captions_[i], i, 2);
    offsets->addWidget(offset_references_[i], i, 3);
  }
  offsets->setColumnStretch(4, 1);

  auto* points = new QGridLayout(show_on_report_);
  for (int i = 0; i < 4; ++i) points->addWidget(point_types_[i], i / 2, i % 2);
  points->addWidget(check_all_points_, 2, 0, 1, 2);

  auto* lower = new QVBoxLayout(options);
  lower->setContentsMargins(0, 0, 0, 0);
  lower->addLayout(offsets);
  lower->addWidget(show_on_report_);

  auto* page = new QVBoxLayout(this);
  page->addWidget(title_);
  page->addLayout(numbers);
  page->addLayout(commands);
  page->addWidget(separator_);
  page->addWidget(new LowerGroup(options, this), 1);
  page->addWidget(status_);
  connectCommands();
}

void MainWindow::connectCommands() {
  setTabOrder(numbers_[0], numbers_[1]);
  setTabOrder(numbers_[1], browse_);
  setTabOrder(browse_, about_);
  setTabOrder(about_, preview_);
  setTabOrder(preview_, close_);

  connect(browse_, &QPushButton::clicked, this, [this] { browseForFile(); });
  connect(about_, &QPushButton::clicked, this, [this] { showAbout(); });
  connect(preview_, &QPushButton::clicked, this, [this] { preview(); });
  connect(close_, &QPushButton::clicked, this, [this] { closeProgram(); });
  PressFocusedButtonOnEnter(*this);
  sizeAsOpened();
}

void MainWindow::sizeAsOpened() {
  const QSize least = minimumSizeHint();
  resize(std::max(TwipsToPixels(kClientWidthTwips, logicalDpiX()), least.width()),
         std::max(TwipsToPixels(kClientHeightTwips, logicalDpiY()), least.height()));
}

QString MainWindow::statusNote() const {
  return status_->currentMessage();
}

void MainWindow::showFileName() {
  file_name_->setToolTip(dialog_file_name_);
  const int room = file_name_->contentsRect().width() - 2 * file_name_->margin() -
                   2 * file_name_->fontMetrics().horizontalAdvance(' ');
  // A window not shown yet has not laid the box out: its width is not the box's.
  const bool laid_out = file_name_->isVisible() && room > 0;
  file_name_->setText(laid_out ? file_name_->fontMetrics().elidedText(dialog_file_name_,
                                                                       Qt::ElideMiddle, room)
                               : dialog_file_name_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Until a file is chosen the box shows its first text.
  if (file_name_->text() != "#" || !dialog_file_name_.isEmpty()) showFileName();
}

void MainWindow::chooseFile(const QString& path) {
  if (!path.isEmpty()) dialog_file_name_ = path;
  input_file_ = QFile::encodeName(dialog_file_name_).toStdString();
  showFileName();
}

void MainWindow::browseForFile() {
  // A cancelled dialog keeps its previous file name, which is taken all the same.
  const QString start =
      dialog_file_name_.isEmpty() ? remembered_.BrowseFolder() : dialog_file_name_;
  const QString chosen = ask_open_file ? ask_open_file(kCriteriaFilter, start) : QString();
  if (!chosen.isEmpty()) remembered_.SetBrowseFolder(QFileInfo(chosen).absolutePath());
  chooseFile(chosen);
}

void MainWindow::showAbout() {
  messages_.Show(inherited::kAboutNote);
  AboutDialog about(messages_, this);
  PlaceOver(about, this);
  RunModal(about);
}

void MainWindow::closeProgram() {
  RunCommand(messages_, inherited::kCloseFailure, [this] { close(); });
}

void MainWindow::applyCheckAllPoints() {
  const bool all = check_all_points_->isChecked();
  for (QCheckBox* box : point_types_) {
    box->setChecked(all);
    box->setEnabled(!all);
  }
}

void MainWindow::enableOffsetRow(int row) {
  const bool on = offset_options_[row]->isChecked();
  offset_distances_[row]->setEnabled(on);
  offset_from_captions_[row]->setEnabled(on);
  offset_references_[row]->setEnabled(on);
}

void MainWindow::moveFocusOnEnter(int box) {
  if (box == 0) {
    MoveFocusVisibly(*numbers_[1]);
  } else {
    MoveFocusVisibly(*browse_);
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    for (int i = 0; i < 2; ++i) {
      if (watched == numbers_[i] && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        moveFocusOnEnter(i);
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::endProgram() {
  if (ending_) return;
  ending_ = true;
  remembered_.SetProjectNumber(numbers_[0]->text());
  // The viewer's close takes its find and print range windows with it, then unloads it.
  if (viewer_) viewer_->close();
  unloadViewer();
  hide();
  if (end_program) end_program();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  endProgram();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedCriteriaFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString file = DroppedCriteriaFile(event->mimeData());
  if (file.isEmpty()) return;
  chooseFile(QFileInfo(file).absoluteFilePath());
  event->acceptProposedAction();
}

}  // namespace vantrels
