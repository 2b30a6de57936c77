#pragma once

// The Qt object names of the windows and their controls. They keep the names users of the
// earlier program and its test scripts know the controls by (control arrays as "Text1_0"), so
// tests, style sheets and accessibility tools find a control by one stable name.
namespace vantrels::object_names {

namespace main_window {
inline constexpr char kWindow[] = "Form2";
inline constexpr char kTitle[] = "Label1";
inline constexpr const char* kNumberCaption[2] = {"Label2_0", "Label2_1"};
inline constexpr char kProjectNumber[] = "Text1_0";
inline constexpr char kControlNumber[] = "Text1_1";
inline constexpr char kFileCaption[] = "Label3";
inline constexpr char kFileName[] = "Label4";
inline constexpr char kFileBrowse[] = "Command1";
inline constexpr char kAbout[] = "Command2";
inline constexpr char kPreview[] = "Command3";
inline constexpr char kClose[] = "Command4";
inline constexpr char kSeparator[] = "Line1";
// Index 0 the left offset row, 1 the right one.
inline constexpr const char* kOffsetOption[2] = {"Check2_0", "Check2_1"};
inline constexpr const char* kOffsetDistance[2] = {"Text2_0", "Text2_1"};
inline constexpr const char* kOffsetFromCaption[2] = {"Label6_0", "Label6_1"};
inline constexpr const char* kOffsetReference[2] = {"Combo1_0", "Combo1_1"};
inline constexpr char kShowOnReport[] = "Frame1";
// Offset Points, Break Points, Edge of Pavement, Shoulder Points.
inline constexpr const char* kPointType[4] = {"Check1_0", "Check1_1", "Check1_2", "Check1_3"};
inline constexpr char kCheckAllPoints[] = "Check1_4";
// Added since: what the last preview read, and how to show the report options.
inline constexpr char kStatusLine[] = "statusLine";
inline constexpr char kOptionsHint[] = "optionsHint";
}  // namespace main_window

namespace viewer {
inline constexpr char kWindow[] = "frmPrint";
inline constexpr char kPicture[] = "picture";
inline constexpr char kPageArea[] = "pageArea";
inline constexpr char kMenuBar[] = "menuBar";
inline constexpr char kNextPage[] = "viewForward";
inline constexpr char kPreviousPage[] = "viewBackward";
inline constexpr char kGoToMenu[] = "mnuGoTo";
inline constexpr char kFindStation[] = "mnuGoToStation";
inline constexpr char kFindLeftStation[] = "mnuStationLeft";
inline constexpr char kFindRightStation[] = "mnuStationRight";
inline constexpr char kPrintMenu[] = "mnuPrint";
inline constexpr char kPrintAll[] = "viewprint";
inline constexpr char kPrintSelected[] = "PrnSelPages";
inline constexpr char kEnd[] = "viewEnd";
// Added since: the exports, the window-wide keys and the status line.
inline constexpr char kExportMenu[] = "exportMenu";
inline constexpr char kExportSpreadsheet[] = "exportSpreadsheet";
inline constexpr char kExportTbc[] = "exportTbcStakeout";
inline constexpr char kExportCivil3d[] = "exportCivil3dStakeout";
inline constexpr char kFindKey[] = "findStationKey";
inline constexpr char kPrintKey[] = "printChoicesKey";
inline constexpr char kStatusLine[] = "statusLine";
inline constexpr char kZoom[] = "zoom";
}  // namespace viewer

namespace printer_font {
inline constexpr char kWindow[] = "frmSystem";
inline constexpr char kPrinterCaption[] = "Label1_0";
inline constexpr char kPrinterList[] = "combo1_0";
inline constexpr char kFontCaption[] = "Label1_1";
inline constexpr char kFontList[] = "combo1_1";
inline constexpr char kPreview[] = "cmdDone";
inline constexpr char kCancel[] = "cmdCancel";
}  // namespace printer_font

namespace find_station {
inline constexpr char kWindow[] = "frmStation";
inline constexpr char kStationCaption[] = "Label1";
inline constexpr char kPageHeading[] = "Label2";
inline constexpr char kStationHeading[] = "Label3";
// The undivided roadway's or the left side's list, and the right side's editable one.
inline constexpr char kList[] = "Combo1";
inline constexpr char kRightList[] = "Combo2";
inline constexpr char kFind[] = "Command1";
}  // namespace find_station

namespace print_range {
inline constexpr char kWindow[] = "Form5";
inline constexpr char kFromCaption[] = "Label1";
inline constexpr char kRoadwayCaption[] = "Label2";
inline constexpr char kTotalCaption[] = "Label3";
inline constexpr char kRoadwayType[] = "Label4";
inline constexpr char kToCaption[] = "Label5";
inline constexpr char kTotal[] = "Label6";
inline constexpr char kSide[] = "Combo2";
inline constexpr char kFromPage[] = "Text1";
inline constexpr char kToPage[] = "Text2";
inline constexpr char kPickFromPage[] = "Command2";
inline constexpr char kPickToPage[] = "Command3";
inline constexpr char kCancel[] = "Command1_0";
inline constexpr char kPrint[] = "Command1_1";
}  // namespace print_range

namespace page_list {
inline constexpr char kWindow[] = "Form6";
inline constexpr char kPageHeading[] = "Label1";
inline constexpr char kStartHeading[] = "Label2";
inline constexpr char kEndHeading[] = "Label3";
inline constexpr char kList[] = "Combo1";
}  // namespace page_list

namespace about {
inline constexpr char kWindow[] = "frmAbout";
inline constexpr char kIcon[] = "picIcon";
inline constexpr char kTitle[] = "lblTitle";
inline constexpr char kDescription[] = "lblDescription";
inline constexpr char kVersionDate[] = "lblVersion";
inline constexpr char kProgramVersion[] = "lblProgramVersion";
inline constexpr char kDisclaimer[] = "lblDisclaimer";
inline constexpr char kOk[] = "cmdOK";
inline constexpr char kSystemInfo[] = "cmdSysInfo";
}  // namespace about

}  // namespace vantrels::object_names
