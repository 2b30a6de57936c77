#include <QLineEdit>
#include <exception>
#include <string>
#include <utility>

#include "book/road.h"
#include "gui/app_context.h"
#include "gui/form2.h"
#include "gui/frm_print.h"
#include "gui/frm_system.h"
#include "gui/go_to_station.h"
#include "gui/print_selected.h"
#include "model/text.h"
#include "render/qt_text.h"

namespace vantrels {

void Form2::Command3_Click() {
  Messages& messages = ctx_.messages;
  try {
    if (Text1[1]->text().isEmpty() || Text1[0]->text().isEmpty()) {
      messages.Show("Please Enter Project Number and Control Number");
    }
    ctx_.state.project_number = ToReportBytes(Text1[0]->text());
    frmStation& station_window = ctx_.StationWindow();

    if (UpperCase(ctx_.state.input_file).find(".CSV") == std::string::npos) return;

    // A rejected file leaves the book on show, its lists and its viewer as they are.
    RoadResult road = ImportAndCompute(ctx_.state.input_file, ctx_.memory, messages);
    if (road.status == RoadStatus::kProgramEnded) {
      EndProgram();
      return;
    }
    if (!road.book) return;

    frmSystem font_window(ctx_, this);
    ctx_.RunModal(font_window);

    // The book is laid out on the page of the printer just chosen.
    CountBook(*road.book, MeasurePrinterPage(&ctx_.printer, ctx_.memory), messages);
    ctx_.SetBook(std::move(*road.book));
    station_window.RefreshLists();
    frmPrint& viewer = ctx_.Viewer();
    SetPrintRangeRoadwayType(ctx_, ctx_.book()->roadway);
    // An open viewer still shows the previous book's page: the new one replaces it.
    viewer.RedrawPage();
    // An open viewer may have been loaded for the other roadway type.
    viewer.ShowMenusForRoadwayType();
    Preview(ctx_);
  } catch (const std::exception&) {
    messages.Show("Error occured in Command3_click");
  }
}

}  // namespace vantrels
