#include <QLineEdit>
#include <exception>
#include <string>

#include "book/road.h"
#include "gui/app_context.h"
#include "gui/form2.h"
#include "gui/frm_print.h"
#include "gui/frm_system.h"
#include "gui/go_to_station.h"
#include "gui/print_selected.h"
#include "import/criteria_file.h"
#include "layout/page.h"
#include "render/qt_text.h"

namespace vantrels {

void Form2::Command3_Click() {
  Store& store = ctx_.store;
  Messages& messages = ctx_.messages;
  try {
    if (Text1[1]->text().isEmpty() || Text1[0]->text().isEmpty()) {
      messages.Show("Please Enter Project Number and Control Number");
    }
    store.ProjectNumber = ToReportBytes(Text1[0]->text());

    frmStation& station_window = ctx_.StationWindow();
    store.StationList.clear();
    store.StationListRight.clear();
    station_window.RefreshLists();

    if (UpperCase(store.InputFilePath).find(".CSV") == std::string::npos) return;

    const int result = ImportAndCompute(store, messages);
    if (store.ProgramEnded) {
      EndProgram();
      return;
    }
    if (result != kFileAccepted) return;

    frmSystem font_window(ctx_, this);
    ctx_.RunModal(font_window);

    const std::string type = UpperCase(store.RoadwayType);
    if (type != "UNDIVIDED" && type != "DIVIDED") return;

    frmPrint& viewer = ctx_.Viewer();
    // An open viewer still holds the previous book's page: the new one is drawn on a clean
    // picture, not over it.
    viewer.Picture().Clear();
    CountBook(store, messages, viewer.Picture());
    SetPrintRangeRoadwayType(ctx_, store.RoadwayType);
    ToPrintAllForms(store, messages, viewer.Picture());
    // An open viewer may have been loaded for the other roadway type.
    viewer.ShowMenusForRoadwayType();
    Preview(ctx_);
  } catch (const std::exception&) {
    messages.Show("Error occured in Command3_click");
  }
}

}  // namespace vantrels
