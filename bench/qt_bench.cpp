// The Qt surfaces on the largest inputs: one page onto the viewer's picture rendered at the
// viewer's default size, and the whole book into a PDF file.
// Arguments: {divided, stations, points}.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>

#include "bench_support.h"
#include "book/book_renderer.h"
#include "book/road.h"
#include "gui/viewer_view.h"
#include "render/print_service.h"
#include "render/printer_surface.h"
#include "render/window_surface.h"

namespace vantrels::bench {
namespace {

constexpr double kScreenDpi = 96;

void LargestShapes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"divided", "stations", "points"});
  for (int divided : {0, 1}) {
    for (int points : {3, 9, 31}) b->Args({divided, 2001, points});
  }
}

QString PdfPath(const char* name) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("vantrels-bench-" + std::to_string(::getpid()) + "-" + name + ".pdf");
  return QString::fromStdString(path.string());
}

// The book of a benchmark's shape laid out on the page of a PDF printer, Letter with
// quarter-inch margins; the PDF file goes with it.
struct PdfBook {
  PdfBook(const benchmark::State& state, const char* name)
      : shape(ShapeOf(state)), pdf(PdfPath(name)), road(MakeRoad(shape)) {
    PrinterSurface printer(MakePdfPrinter(pdf));
    built = BuildBook(road->path, {}, &printer, road->memory, road->messages);
  }
  ~PdfBook() { QFile::remove(pdf); }
  const Book& book() const { return built->book; }

  const RoadShape shape;
  const QString pdf;
  std::unique_ptr<Road> road;
  Result<ImportedBook> built = Failure{};
};

// The viewer opens at the book page's size: columns x lines cells of 120 x 240 twips.
QSize ViewerPixels(const Book& book) {
  return QSize(TwipsToPixels(book.page.columns * kCellTwipsWide, kScreenDpi),
               TwipsToPixels(book.page.lines * kCellTwipsHigh, kScreenDpi));
}

// The viewer's redraw (clear, heading, body) and the picture painted at the viewer's default
// size on a 96 dpi screen, for a page in the middle of the book.
void BM_ViewerPage(benchmark::State& state) {
  const PdfBook pdf(state, "viewer");
  const Book& book = pdf.book();
  const QSize size = ViewerPixels(book);
  // As the viewer's resize handling does, from the window's outer size in pixels.
  const BookRenderer pages(book, pdf.road->context, pdf.road->messages);
  const BookPosition middle{Side::Left, book.Of(Side::Left).last_page / 2};
  WindowSurface picture;
  picture.SetViewScale(ViewScaleFor(PixelsToTwips(size.width(), kScreenDpi),
                                    PixelsToTwips(size.height(), kScreenDpi)));
  for (auto _ : state) {
    picture.Clear();
    pages.RenderPage(picture, middle);
    const QImage image = RenderPicture(picture, size, kScreenDpi);
    benchmark::DoNotOptimize(image.constBits());
  }
  if (CheckImported(state, &book, pdf.shape)) {
    state.counters["texts"] = static_cast<double>(picture.Runs().size());
    state.counters["width_px"] = size.width();
    state.counters["height_px"] = size.height();
    state.SetLabel("ViewScale " + std::to_string(picture.ViewScale()));
  }
}
BENCHMARK(BM_ViewerPage)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

// The print-all command of the viewer: every page of every side, heading and body, a new page
// after each, then the document is ended and written as a PDF file.
void BM_BookToPdf(benchmark::State& state) {
  const PdfBook pdf(state, "book");
  const Book& book = pdf.book();
  const BookRenderer pages(book, pdf.road->context, pdf.road->messages);
  size_t printed = 0;
  for (auto _ : state) {
    PrinterSurface printer(MakePdfPrinter(pdf.pdf));
    printed = pages.Print(printer, WholeBook(book)).pages.size();
  }
  if (CheckImported(state, &book, pdf.shape)) {
    state.counters["pages"] = static_cast<double>(printed);
    state.counters["pdf_MB"] = static_cast<double>(QFile(pdf.pdf).size()) / (1024.0 * 1024.0);
  }
}
BENCHMARK(BM_BookToPdf)->Apply(LargestShapes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vantrels::bench

int main(int argc, char** argv) {
  // Offscreen unless a platform is chosen: the benchmarks draw only into images and files.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
