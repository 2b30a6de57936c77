#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "layout/surface.h"
#include "book/book_renderer.h"

class QProgressDialog;
class QWidget;

namespace vantrels {

// Tells, after each page a job has drawn, how far it is: `done` of `total` pages. Returns false
// to stop the job.
using PageProgress = std::function<bool(int done, int total)>;

// The pages `selection` holds.
int PagesIn(const PageSelection& selection);

// A surface that draws through another and reports each finished page. Once the report says
// stop, nothing more reaches the other surface and the document ends as cancelled (its pages
// discarded), so a cancelled file is never written.
class ProgressSurface : public Surface {
 public:
  ProgressSurface(Surface& inner, int total, PageProgress progress);
  ProgressSurface(std::unique_ptr<Surface> inner, int total, PageProgress progress);

  bool IsWindow() const override { return inner_.IsWindow(); }
  SurfacePoint CellPosition(double column, double line) const override {
    return inner_.CellPosition(column, line);
  }
  void SetCurrentX(int x) override;
  void SetCurrentY(int y) override;
  void PrintText(std::string_view text) override;
  void SetFontName(const std::string& face) override;
  void SetFontSize(double points) override;
  void SetFontBold(bool on) override;
  void SetFontUnderline(bool on) override;
  void SetFontTransparent(bool on) override;
  std::optional<CellMeasure> MeasureCells() override { return inner_.MeasureCells(); }
  void NewPage() override;
  Status EndDoc() override;
  void KillDoc() override { inner_.KillDoc(); }
  void Clear() override { inner_.Clear(); }
  double Width() const override { return inner_.Width(); }
  double Height() const override { return inner_.Height(); }

  bool stopped() const { return stopped_; }

 private:
  std::unique_ptr<Surface> owned_;
  Surface& inner_;
  int total_;
  int done_ = 0;
  bool stopped_ = false;
  PageProgress progress_;
};

// The progress window of a long job: it appears only when the job runs past about a second,
// with a Cancel button, over `owner`'s window. Progress() is the report to hand the job.
class ProgressWindow {
 public:
  ProgressWindow(const QString& label, QWidget* owner);
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  PageProgress Progress();

 private:
  std::unique_ptr<QProgressDialog> dialog_;
  QElapsedTimer running_;
};

// The wait cursor over every window of the program while it lives.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// The ordinary cursor while the user is asked something in the middle of busy work.
class UnbusyCursor {
 public:
  UnbusyCursor();
  ~UnbusyCursor();
  UnbusyCursor(const UnbusyCursor&) = delete;
  UnbusyCursor& operator=(const UnbusyCursor&) = delete;
};

}  // namespace vantrels
