#pragma once

#include <array>
#include <string_view>

#include "app/base/string_table.h"

// Texts of the station link: poll, archive download, station settings dialogs
// and the modem that reaches a remote station.
namespace bv::app::strings {

inline constexpr StringEntry kStationCommError{
    40190, "Station Communication Error. Check station settings."};

// Header lines of the archive text file.
inline constexpr StringEntry kArchiveHeaderClassic1{
    40402,
    "Date\t\tTime\tInside\tOutside\tHiOut\tLowOut\tOut\tInside\tDew\tWind\tBarom\tWind\tHiWind"
    "\tWind\tRain\n"};
inline constexpr StringEntry kArchiveHeaderClassic2{
    40403,
    "    \t\t   \tTemp\tTemp\tTemp\tTemp\tHum\tHum\tPoint\tChill\tPress\tSpeed\tSpeed\tDir\t\n"};
inline constexpr StringEntry kArchiveHeaderTirrel1{
    40406,
    "Date\t\tTime\tAir\tHiAir\tLowAir\tSoil\t \tLeaf\tSolar\tSolar\tDegree\tBarom\twind\tHiWind"
    "\tWind\tWind\tWind\tRain\tRain\tDew\tTH\tET\n"};
inline constexpr StringEntry kArchiveHeaderTirrel2{
    40407,
    "    \t\t    \tTemp\tTemp\tTemp\tTemp\tHum\tWet\tRad\tEnergy\tDays\tPress\tSpeed\tSpeed\tDir"
    "\tChill\tRun\tRain\tRate\tPoint\tIndex\t\n"};

// Serial port.
inline constexpr std::string_view kComPortCloseError = "Error (%ld) closing com Port!";
inline constexpr std::string_view kComPortOpenError =
    "Error in opening com port. Check station settings.";
// A station action that arrives while another holds the port.
inline constexpr std::string_view kStationPortBusy =
    "The station port is busy with another operation. Try again later.";
inline constexpr std::string_view kNoStationModel =
    "No station model is selected. Check station settings.";

// Archive download: outcome on the status line and in the event log.
inline constexpr std::string_view kDownloadCancelledByUser = "Download cancelled by user.";
inline constexpr std::string_view kDownloadArchiveEmpty =
    "Download cancelled. Archive memory is empty.";
inline constexpr std::string_view kDownloadTransferred = "Transferred %d records from Archive.";
inline constexpr std::string_view kDownloadTimedOut = "Download Timed Out.";
inline constexpr std::string_view kDownloadTooManyErrors =
    "Download Canceled Because There Were Too Many Errors.";
inline constexpr std::string_view kDatabaseWriteError = "Error writing to Database.";
inline constexpr std::string_view kMemoryError = "Memory Error";

// Archive download: the progress dialog.
inline constexpr std::string_view kDownloadDialogTitle = "Downloading Data ";
inline constexpr std::string_view kDownloadProgress = "Transferred %3d of %d.";
inline constexpr std::string_view kDownloadProgressWithErrors =
    "Transferred %3d of %d.  %d Errors: %s.";
inline constexpr std::string_view kSynchronizingArchive = "Synchronizing archive...";

// Archive download: block protocol errors.
inline constexpr std::string_view kStartOfHeaderError = "Start of Header Error";
inline constexpr std::string_view kBlockNumberError = "Block Number Error";
inline constexpr std::string_view kCrcError = "CRC Error";
inline constexpr std::string_view kReadError = "Read Error";
inline constexpr std::string_view kIncompleteBlockError = "Incomplete Block Error";

// Station Setup dialog and AutoDetect.
inline constexpr std::string_view kWaitTimeOutOfRange = "Wait time out of range (0 to 127).";
inline constexpr std::string_view kAutoDetectDirectOnly =
    "Autodetect works only with stations connected directly to the com port.";
inline constexpr std::string_view kAutoDetectConfirm =
    "This operation may take several minutes.Continue?";
inline constexpr std::string_view kSelectStationCaption = "Select Station";
inline constexpr std::string_view kAutoDetectCaption = "Auto Detect";
inline constexpr std::string_view kNoMoreStations = "No more stations found.";
// By the model number the station reports (0 to 4), then Tirrel E.
inline constexpr std::array<std::string_view, 6> kStationFound = {
    "Carrow III found at Port %d  Baudrate %d . Press Yes to select this station or No to "
    "continue AutoDetect.",
    "Carrow II found at Port %d  Baudrate %d . Press Yes to select this station or No to "
    "continue AutoDetect.",
    "Ostrel found at Port %d  Baudrate %d . Press Yes to select this station or No to continue "
    "AutoDetect.",
    "Lunett found at Port %d  Baudrate %d . Press Yes to select this station or No to continue "
    "AutoDetect.",
    "Tirrel D  found at Port %d  Baudrate %d . Press Yes to select this station or No to "
    "continue AutoDetect.",
    "Tirrel E  found at Port %d  Baudrate %d . Press Yes to select this station or No to "
    "continue AutoDetect.",
};

// Archive dialog.
inline constexpr std::string_view kInvalidDownloadFileName =
    "Invalid download file name. Modify entry?";
inline constexpr std::string_view kDownloadIntervalTooShort =
    "It is recommended that the time interval be set to higher than 10 minutes .Modify current "
    "settings ?";
inline constexpr std::string_view kArchiveWillBeCleared =
    "This operation will clear the Archive Memory.";
inline constexpr std::string_view kPleaseNoteCaption = "Please Note";

// Remote station by modem.
inline constexpr std::string_view kConnectingRemoteStation =
    "Viraraz is connecting to your remote station.";
inline constexpr std::string_view kRemoteDialFailed =
    "Dialing to remote modem. Connection Failed. Check settings.";

} // namespace bv::app::strings
