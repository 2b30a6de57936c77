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
#include "book/road.h"
#include "gui/frm_print.h"
#include "import/criteria_file.h"
#include "layout/page.h"
#include "render/print_service.h"
#include "render/printer_surface.h"
#include "render/window_surface.h"

namespace vantrels::bench {
namespace {

constexpr double kScreenDpi = 96;
constexpr double kColumnTwips = 120;
constexpr double kLineTwips = 240;

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

// The viewer opens at the printer page's size: PageColumns x PageLines cells of 120 x 240 twips.
QSize ViewerPixels(const Store& store) {
  return QSize(TwipsToPixels(store.PageColumns * kColumnTwips, kScreenDpi),
               TwipsToPixels(store.PageLines * kLineTwips, kScreenDpi));
}

// RedrawPage of the viewer (clear, heading, body) and the picture painted at the viewer's
// default size on a 96 dpi screen, for a page in the middle of the book.
void BM_ViewerPage(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  const QString pdf = PdfPath("viewer");
  PrinterSurface printer(MakePdfPrinter(pdf));
  auto road = MakeRoad(shape, &printer);
  Store& store = road->store;
  RunHeadlessRoad(store, road->messages);
  const QSize size = ViewerPixels(store);
  // As the viewer's resize handling does, from the window's outer size in pixels.
  store.ViewScale = ViewScaleFor(PixelsToTwips(size.width(), kScreenDpi),
                                 PixelsToTwips(size.height(), kScreenDpi));
  const int32_t page = (shape.divided ? store.LeftLastPage : store.UndividedLastPage) / 2;
  WindowSurface picture;
  for (auto _ : state) {
    store.CurrentPage = page;
    picture.Clear();
    PrintQMTForm(store, road->messages, picture);
    ToPrintAllForms(store, road->messages, picture);
    const QImage image = RenderPicture(picture, size, kScreenDpi);
    benchmark::DoNotOptimize(image.constBits());
  }
  if (CheckImported(state, *road, shape)) {
    state.counters["texts"] = static_cast<double>(picture.Runs().size());
    state.counters["width_px"] = size.width();
    state.counters["height_px"] = size.height();
    state.SetLabel("ViewScale " + std::to_string(store.ViewScale));
  }
  QFile::remove(pdf);
}
BENCHMARK(BM_ViewerPage)->Apply(LargestShapes)->Unit(benchmark::kMillisecond);

// The print-all command of the viewer: every page of every side, heading and body, a new page
// after each, then the document is ended and written as a PDF file.
void BM_BookToPdf(benchmark::State& state) {
  const RoadShape shape = ShapeOf(state);
  const QString pdf = PdfPath("book");
  PrinterSurface measure(MakePdfPrinter(pdf));
  auto road = MakeRoad(shape, &measure);
  Store& store = road->store;
  RunHeadlessRoad(store, road->messages);
  int pages = 0;
  for (auto _ : state) {
    PrinterSurface printer(MakePdfPrinter(pdf));
    store.Printer = &printer;
    const auto print_pages = [&](const char* side, int32_t last_page) {
      for (int32_t page = 0; page <= last_page; ++page) {
        if (side != nullptr) store.CurrentSide = side;
        store.CurrentPage = page;
        PrintQMTForm(store, road->messages, printer);
        ToPrintAllForms(store, road->messages, printer);
        printer.NewPage();
      }
    };
    if (shape.divided) {
      print_pages("LeftSide", store.LeftLastPage);
      print_pages("RightSide", store.RightLastPage);
    } else {
      print_pages(nullptr, store.UndividedLastPage);
    }
    pages = printer.PagesInDocument();
    printer.EndDoc();
  }
  store.Printer = nullptr;
  if (CheckImported(state, *road, shape)) {
    state.counters["pages"] = pages;
    state.counters["pdf_MB"] = static_cast<double>(QFile(pdf).size()) / (1024.0 * 1024.0);
  }
  QFile::remove(pdf);
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
