#include "gui/job_progress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QProgressDialog>
#include <limits>
#include <utility>

#include "gui/window_support.h"

namespace vantrels {

int PagesIn(const PageSelection& selection) {
  int pages = 0;
  for (const PageSpan& span : selection) pages += span.last - span.first + 1;
  return pages;
}

ProgressSurface::ProgressSurface(Surface& inner, int total, PageProgress progress)
    : inner_(inner), total_(total), progress_(std::move(progress)) {}

ProgressSurface::ProgressSurface(std::unique_ptr<Surface> inner, int total, PageProgress progress)
    : owned_(std::move(inner)), inner_(*owned_), total_(total), progress_(std::move(progress)) {}

// Once stopped, the remaining pages are laid out but drawn nowhere.
void ProgressSurface::SetCurrentX(int x) {
  if (!stopped_) inner_.SetCurrentX(x);
}
void ProgressSurface::SetCurrentY(int y) {
  if (!stopped_) inner_.SetCurrentY(y);
}
void ProgressSurface::PrintText(std::string_view text) {
  if (!stopped_) inner_.PrintText(text);
}
void ProgressSurface::SetFontName(const std::string& face) {
  if (!stopped_) inner_.SetFontName(face);
}
void ProgressSurface::SetFontSize(double points) {
  if (!stopped_) inner_.SetFontSize(points);
}
void ProgressSurface::SetFontBold(bool on) {
  if (!stopped_) inner_.SetFontBold(on);
}
void ProgressSurface::SetFontUnderline(bool on) {
  if (!stopped_) inner_.SetFontUnderline(on);
}
void ProgressSurface::SetFontTransparent(bool on) {
  if (!stopped_) inner_.SetFontTransparent(on);
}

void ProgressSurface::NewPage() {
  if (stopped_) return;
  inner_.NewPage();
  ++done_;
  if (progress_ && !progress_(done_, total_)) stopped_ = true;
}

Status ProgressSurface::EndDoc() {
  if (!stopped_) return inner_.EndDoc();
  inner_.KillDoc();
  return Failure{FailureKind::kCancelled, {}};
}

ProgressWindow::ProgressWindow(const QString& label, QWidget* owner)
    : dialog_(std::make_unique<QProgressDialog>(label, "Cancel", 0, 1, owner)) {
  dialog_->setObjectName("jobProgress");
  dialog_->setWindowTitle("Vantrels Report");
  dialog_->setAutoReset(false);
  dialog_->setAutoClose(false);
  // Shown by Progress() only: until then no event is taken, so no command can start meanwhile.
  dialog_->setMinimumDuration(std::numeric_limits<int>::max());
  dialog_->hide();
  running_.start();
}

ProgressWindow::~ProgressWindow() = default;

PageProgress ProgressWindow::Progress() {
  return [this](int done, int total) {
    constexpr qint64 kQuietMilliseconds = 1000;
    QProgressDialog& dialog = *dialog_;
    if (!dialog.isVisible()) {
      if (running_.elapsed() < kQuietMilliseconds) return true;
      // Modal from now on, so Cancel is the only command the windows take.
      dialog.setWindowModality(Qt::ApplicationModal);
      dialog.setMaximum(total);
      dialog.resize(dialog.sizeHint());
      if (QWidget* owner = dialog.parentWidget()) PlaceOver(dialog, owner);
      dialog.show();
    }
    dialog.setMaximum(total);
    dialog.setValue(done);
    QCoreApplication::processEvents();
    return !dialog.wasCanceled();
  };
}

BusyCursor::BusyCursor() {
  QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  // Shown now, before the work holds the event loop.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

BusyCursor::~BusyCursor() {
  QApplication::restoreOverrideCursor();
}

UnbusyCursor::UnbusyCursor() {
  QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

UnbusyCursor::~UnbusyCursor() {
  QApplication::restoreOverrideCursor();
}

}  // namespace vantrels
