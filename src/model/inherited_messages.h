#pragma once

#include <string>
#include <string_view>

// Every message text the program took over from the one it replaces, in one place. They are kept
// byte for byte, odd blanks, capitals and spellings ("occured", "PRogram") included: crews know
// them by sight, their notes and support scripts quote them, and tests pin each one.
namespace vantrels::inherited {

// A message made of the place a failure happened around the failure's own description:
// prefix + description + suffix. A frame that does not show the description is its prefix alone.
struct MessageFrame {
  std::string_view prefix;
  std::string_view suffix;
  bool shows_description = true;

  std::string Around(std::string_view description) const {
    std::string text(prefix);
    if (!shows_description) return text;
    text.append(description);
    text.append(suffix);
    return text;
  }
};

// The import.
inline constexpr char kInvalidFileType[] = "Invalid File Type check file format";
inline constexpr MessageFrame kClassifyFailure{"Program Error : ", " occured in GpkVantrels"};
inline constexpr char kUnknownError[] = "Unknown error";
inline constexpr char kUndividedImportFailure[] = "Error in GPKUndivided";
inline constexpr char kDividedImportFailure[] = " There is something wrong at Sta. ";
inline constexpr char kStoreSideFailure[] = "Error in StoreSide";
// The divided import's wrong-side stop: "Error at LeftSide Station: 2389+00.00 R1(LineNumber:
// 3) Program Exiting".
inline std::string WrongSideStop(std::string_view side, std::string_view station, int slot) {
  return "Error at " + std::string(side) + " Station: " + std::string(station) +
         "(LineNumber: " + std::to_string(slot) + ") Program Exiting";
}

// The computations.
inline constexpr char kFilterPointsFailure[] =
    "Program Error: Subscript out of range occured in FilterPoints";
inline constexpr char kFinalReportFailure[] = "Error in WritetoFinalReport";

// Drawing and counting the pages.
inline constexpr MessageFrame kLayoutFailure{"Program Error: ", " occured in ToPrintAllForms"};
inline constexpr MessageFrame kPutTextFailure{"Program Error: ", "(PutText(korPrint))"};
inline constexpr MessageFrame kHeadingFailure{"Program Error: ", " PrintQMTForm(KorPrint)"};
inline constexpr MessageFrame kCountFailure{"Error : ", " occured in PageCount"};

// The main window.
inline constexpr char kEnterNumbers[] = "Please Enter Project Number and Control Number";
inline constexpr MessageFrame kPreviewFailure{"Error occured in Command3_click", "", false};
inline constexpr MessageFrame kCloseFailure{"Error occured in Command4_Click", "", false};
inline constexpr char kAboutNote[] = "About Box should go here";
inline constexpr char kSystemInfoUnavailable[] = "System Information Is Unavailable At This Time";
inline constexpr MessageFrame kSystemInfoFailure{kSystemInfoUnavailable, "", false};

// The viewer.
inline constexpr MessageFrame kViewerLoadFailure{"Program Error : ", " occured in form load"};
inline constexpr MessageFrame kViewerResizeFailure{" Program Error: ",
                                                   " occured in form_resize(frmPrint)"};
inline constexpr MessageFrame kShowViewerFailure{"Program Error: ", " Preview(korPrint)"};
inline constexpr MessageFrame kForwardFailure{"Program Error : ", " occured in ViewForward_Click"};
inline constexpr MessageFrame kBackwardFailure{" Program Error : ",
                                               " occured in ViewBackward_Click"};
// PrintAll and Print Selected Pages alike.
inline constexpr MessageFrame kPrintFailure{"Program Error : ", " occured in viewPrint_click"};
inline constexpr MessageFrame kEndFailure{"Program Error: ", " occured in viewEnd_Click"};
inline constexpr char kLastPage[] = " Last Page can't move forward";
inline constexpr char kFirstPage[] = " First Page can't move backward";
// "Pages have been sent to Laser printer."; no printer chosen leaves two blanks in a row.
inline std::string PagesSent(std::string_view printer) {
  return "Pages have been sent to " + std::string(printer) + " printer.";
}

// The font and printer window.
inline constexpr MessageFrame kFontWindowLoadFailure{" Program Error: ", " frmSystem(form_load)"};
inline constexpr MessageFrame kFontWindowPreviewFailure{" Program Error: ", " frmSystem(cmdDone)"};
inline constexpr MessageFrame kFontWindowCancelFailure{" Program Error: ", " frmSystem(cmdcancel)"};
inline constexpr MessageFrame kFontWindowKeyFailure{" Program Error: ",
                                                    " frmSystem(combo1_keypress)"};

// Go to station.
inline constexpr MessageFrame kFindStationFailure{" Program Error : ", " In mnuGoTOStation_Click"};
inline constexpr MessageFrame kFindLeftStationFailure{"Program Error : ",
                                                      " In mnuStationLeft_Click"};
inline constexpr MessageFrame kFindRightStationFailure{"PRogram Error : ",
                                                       " In mnuStationRight_Click"};
inline constexpr MessageFrame kFindFailure{" Program Error : ", ""};

// Print selected pages.
inline constexpr char kPageOrder[] = " From Page should be smaller than To Page, Please correct";

}  // namespace vantrels::inherited
