#include "render/print_service.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinterInfo>
#include <stdexcept>

#include "render/printer_surface.h"

namespace vantrels {
namespace {

using Names = std::vector<std::string>;

TEST(PrintService, WithoutPrintersThePdfEntryStandsAloneAndIsCurrent) {
  QtPrintService service({}, "");
  EXPECT_EQ(service.PrinterNames(), Names{"PDF file"});
  EXPECT_EQ(service.DefaultPrinterName(), "PDF file");
  EXPECT_EQ(service.CurrentPrinterName(), "PDF file");
  EXPECT_FALSE(service.MakeCurrent("Laser"));
  EXPECT_EQ(service.CurrentPrinterName(), "PDF file");
}

TEST(PrintService, InstalledPrintersKeepThePlatformOrderBeforeThePdfEntry) {
  QtPrintService service({"Zeta", "Laser", "Alpha", "Laser"}, "Alpha");
  EXPECT_EQ(service.PrinterNames(), (Names{"Zeta", "Laser", "Alpha", "Laser", "PDF file"}));
  EXPECT_EQ(service.DefaultPrinterName(), "Alpha");
  EXPECT_EQ(service.CurrentPrinterName(), "Alpha");

  EXPECT_TRUE(service.MakeCurrent("Laser"));
  EXPECT_EQ(service.CurrentPrinterName(), "Laser");
  EXPECT_FALSE(service.MakeCurrent("laser"));
  EXPECT_EQ(service.CurrentPrinterName(), "Laser");
  EXPECT_TRUE(service.MakeCurrent("PDF file"));
  EXPECT_EQ(service.CurrentPrinterName(), "PDF file");
}

TEST(PrintService, DefaultThatIsNotInstalledFallsBackToThePdfEntry) {
  QtPrintService service({"Laser"}, "Gone");
  EXPECT_EQ(service.DefaultPrinterName(), "PDF file");
  EXPECT_EQ(service.CurrentPrinterName(), "PDF file");
}

TEST(PrintService, PlatformListIsTheInstalledPrintersThenThePdfEntry) {
  QtPrintService service;
  Names expected;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) {
    expected.push_back(name.toStdString());
  }
  expected.push_back("PDF file");
  EXPECT_EQ(service.PrinterNames(), expected);
}

// Asking the platform costs start-up time: only the first question reads the printers, and
// Refresh reads them again, keeping the current printer while it is still installed.
TEST(PrintService, PlatformIsAskedOnFirstUseAndOnRefreshOnly) {
  int reads = 0;
  InstalledPrinters installed{{}, {"Laser", "Inkjet"}, "Inkjet"};
  QtPrintService service([&] {
    ++reads;
    return installed;
  });
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(service.CurrentPrinterName(), "Inkjet");
  EXPECT_EQ(service.PrinterNames(), (Names{"Laser", "Inkjet", "PDF file"}));
  EXPECT_TRUE(service.MakeCurrent("Laser"));
  EXPECT_EQ(reads, 1);

  installed = {{}, {"Plotter", "Laser"}, "Plotter"};
  service.Refresh();
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(service.CurrentPrinterName(), "Laser");
  installed = {{}, {"Plotter"}, "Plotter"};
  service.Refresh();
  EXPECT_EQ(service.CurrentPrinterName(), "Plotter");
  EXPECT_EQ(reads, 3);
}

TEST(PrintService, RefreshBeforeFirstUseReadsOnceAndMakesTheDefaultCurrent) {
  int reads = 0;
  QtPrintService service([&] {
    ++reads;
    return InstalledPrinters{{}, {"Laser"}, "Gone"};
  });
  service.Refresh();
  EXPECT_EQ(service.CurrentPrinterName(), "PDF file");
  EXPECT_EQ(service.DefaultPrinterName(), "PDF file");
  EXPECT_TRUE(service.MakeCurrent("Laser"));
  EXPECT_EQ(reads, 1);
}

TEST(PrintService, PdfEntryNeedsAnOutputFile) {
  QtPrintService service({}, "");
  EXPECT_TRUE(service.CurrentIsPdfFile());
  EXPECT_THROW(service.CreateCurrentPrinter({}), std::runtime_error);
  // Without a name QPrinter would turn into the system's default printer.
  EXPECT_THROW(MakePdfPrinter(QString()), std::invalid_argument);
  const std::unique_ptr<QPrinter> page = MakePdfPagePrinter(PaperSize::A4);
  EXPECT_EQ(page->outputFormat(), QPrinter::PdfFormat);
  EXPECT_EQ(page->pageLayout().pageSize().id(), QPageSize::A4);

  const std::unique_ptr<QPrinter> printer =
      service.CreateCurrentPrinter({"out.pdf", PaperSize::Legal});
  ASSERT_NE(printer, nullptr);
  EXPECT_EQ(printer->outputFormat(), QPrinter::PdfFormat);
  EXPECT_EQ(printer->outputFileName(), "out.pdf");
  EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::Legal);
  const QMarginsF margins = printer->pageLayout().margins(QPageLayout::Inch);
  EXPECT_NEAR(margins.left(), 0.25, 1e-6);
  EXPECT_NEAR(margins.top(), 0.25, 1e-6);
  EXPECT_NEAR(margins.right(), 0.25, 1e-6);
  EXPECT_NEAR(margins.bottom(), 0.25, 1e-6);
}

TEST(PrintService, ThePdfEntryIsToldByItsPlaceNotItsName) {
  QtPrintService service({"PDF file", "Laser"}, "PDF file");
  EXPECT_EQ(service.CurrentPrinterName(), "PDF file");
  EXPECT_FALSE(service.CurrentIsPdfFile());
  EXPECT_TRUE(service.MakeCurrent("Laser"));
  EXPECT_FALSE(service.CurrentIsPdfFile());
}

TEST(PrintService, NoInstalledPrinterOfThatNameGivesNone) {
  EXPECT_EQ(MakeInstalledPrinter("No Such Printer 4711"), nullptr);
}

}  // namespace
}  // namespace vantrels
