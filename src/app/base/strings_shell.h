#pragma once

#include <array>
#include <string_view>

#include "app/base/string_table.h"

// Texts of the application shell: main window, message-box captions, the
// Range, Set Time and logger schedule dialogs, the walkthrough and printing.
namespace bv::app::strings {

// The message-box captions "Error" and "Warning" and the out-of-memory text
// live with the message boxes in app/base/shell.h; "Confirm" is numbered (see
// strings_publish.h).

// Main window.
inline constexpr std::string_view kProgramTitle = "Brisvane Viraraz";
inline constexpr std::string_view kExitConfirm = "Exit Brisvane Viraraz ?";
inline constexpr std::string_view kTransferNotEnabled =
    "Please select Enable Transfer to Internet or Local Drive option in Setup Internet.";
inline constexpr std::string_view kCancelPendingPages = "Cancel all pending pages ?";
inline constexpr std::string_view kCancelPendingTransfers = "Cancel all pending file transfers ?";
inline constexpr std::string_view kTransfersDisabledReminder =
    "Please remember to enable  transfers (once you are done editing your settings) by clicking "
    "this toolbar button again.";
// Shown as it stands when timer 1 cannot be created.
inline constexpr std::string_view kNoTimerStart = "IDS_NO_TIMER_START";

// Log viewer printing.
inline constexpr std::string_view kNothingToPrint = "Nothing to print.";
inline constexpr std::string_view kPrintDocumentName = "View Window";
inline constexpr std::string_view kSelectFontSize = "Select Font Size";

// Range dialog. Text 82 reads: a blank, "From", two blanks, Time is after, two
// blanks, "To", two blanks, time . and a closing quotation mark.
inline constexpr StringEntry kFromAfterTo{82, " \"From\"  Time is after  \"To\"  time .\""};
inline constexpr std::string_view kInvalidFromTime =
    "Error in \"From\" time entry. Modify current settings?";
inline constexpr std::string_view kInvalidToTime =
    "Error in \"To\" time entry. Modify current settings?";

// Set Time dialog.
inline constexpr std::string_view kClearArchiveToo =
    "Would you like to clear the archive memory too?";
inline constexpr std::string_view kArchiveCleared = "Archive Memory cleared.";
inline constexpr std::string_view kArchiveClearError = "Error clearing Archive Memory.";
// "Set the PC time also." when the system refuses; %s is the system's reason.
inline constexpr std::string_view kPcClockRefused = "The PC clock could not be set: %s";

// Schedule of the external logger program.
inline constexpr std::string_view kLoggerStartError = "Error.Unable start to Brisvane program.";
inline constexpr std::string_view kLoggerStopError =
    "Error.Unable to terminate to Darnex4 program.";
inline constexpr std::string_view kInvalidStartTime =
    "Error in \"Start\" time entry. Modify current settings?";
inline constexpr std::string_view kInvalidEndTime =
    "Error in \"End\" time entry. Modify current settings?";
inline constexpr std::string_view kLoggerWindowTooShort =
    "It is recommended that  the time interval be higher than 10 minutes . Modify current "
    "settings ? ";
inline constexpr std::string_view kLoggerMultiStationNote =
    "If there are multiple stations in the Darnex4 program, specify the station directory after "
    "the Darnex4.exe path.\nUse the -d and -c command line options to activate the auto download "
    "functions.";
inline constexpr std::string_view kLoggerTirrelNote =
    "The Tirrel does not support these features and so must only contain a single station.";

// Walkthrough. Step n (1 to 8) explains itself with text n.
inline constexpr std::string_view kWalkthroughCaption = "Walkthrough";
inline constexpr std::string_view kWalkthroughStart =
    "Walkthrough Setup will assist you in setting up this software. Would you like to continue?";
inline constexpr std::string_view kWalkthroughDone =
    "You are now done with the walkthrough.  Would you like to go back?";
inline constexpr std::array<StringEntry, 8> kWalkthroughSteps = {{
    {1, "Please enter the Station information such as serial port, baud rate and type of station "
        "you are using. If your station is connected directly to the computer you may use the "
        "\"AutoDetect\" feature. You must however enter the type of rain collector yourself."},
    {2, "Please set the time on your station."},
    {3, "Please set the archive information for your station."},
    {4, "Please set the units for your station."},
    {5, "Please set the Data which will be transferred to the FTP site. This consists of the "
        "\"Template\" files and regular files, GIF images and the Archive file."},
    {6, "Please set up Internet information. This consists of the type of Internet connection, "
        "your FTP host information as well the time interval for your transfers."},
    {7, "Please setup the Pager info if you have a Pager or want to send alarms to a regular "
        "phone."},
    {8, "Please set up the times at which your Darnex4 or Tirrel program should run. You should "
        "only do this if you want Darnex4 or Tirrel program to download the archive data in its "
        "database at a particular time during the day."},
}};

// Default initialisation string of both modems.
inline constexpr std::string_view kDefaultModemInit = "AT &F0 E &M Q V1 X4 S7=60";

} // namespace bv::app::strings
