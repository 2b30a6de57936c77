// SIGTERM, SIGINT and SIGHUP in the desktop program: an orderly end from the event loop, and
// while a PDF is written, the end vantrels-book makes (temporary file removed, killed by it).
#include "gui/termination.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "book/book_document.h"
#include "book/road.h"
#include "gui/print_controller.h"
#include "render/print_service.h"

namespace vantrels {
namespace {

TEST(TerminationSignals, EachSignalEndsTheProgramOnceTheEventLoopRuns) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    TerminationSignals termination;
    // Caught before the event loop can take it: kept until then.
    ASSERT_EQ(std::raise(signal), 0);
    int ends = 0;
    termination.EndProgramWith([&ends] { ++ends; });
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(QTest::qWaitFor([&ends] { return ends > 0; }, 10000));
    EXPECT_EQ(ends, 1);
  }
  // The default handling is back.
  struct sigaction now {};
  ::sigaction(SIGTERM, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
}

TEST(TerminationSignalsDeathTest, WhileAPdfIsWrittenTheTemporaryFileGoesAndTheSignalEndsIt) {
  GTEST_FLAG_SET(death_test_style, "fast");
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  RecordingMessages messages;
  QtPrintService printers({}, "");
  PrintController printing(printers, messages);
  RoadMemory memory;
  Result<ImportedBook> road = BuildBook(std::string(VANTRELS_EXAMPLES) + "/undivided.csv", {},
                                      &printing.LayoutTarget(), memory, messages);
  ASSERT_TRUE(road.ok());
  BookDocument document;
  document.Show(std::move(road->book), PageContext{}, "undivided.csv");
  printing.ask_pdf_file = [&dir] { return dir.filePath("book.pdf"); };
  // The signal comes when the pages are being drawn, the temporary file open beside the target.
  printing.make_pdf_surface = [](const QString& path, Paper paper) -> std::unique_ptr<Surface> {
    std::raise(SIGTERM);
    return std::make_unique<PrinterSurface>(MakePdfPrinter(path, paper));
  };
  EXPECT_EXIT(
      {
        TerminationSignals termination;
        (void)printing.PrintAll(document);
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGTERM), "");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{});
}

}  // namespace
}  // namespace vantrels
