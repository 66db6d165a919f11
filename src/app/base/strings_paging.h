#pragma once

#include <array>
#include <string_view>

// Texts of alarms and paging: the pager dialogs, the senders and the alarm
// information view.
namespace bv::app::strings {

// Alarm and pager dialogs.
inline constexpr std::string_view kPagingNotSelected =
    "Either the PageOnAlarm or PageCurrentWeather must be checked.";
inline constexpr std::string_view kSelectPagerEntryFirst = "Select a pager entry first !";
inline constexpr std::string_view kDeletePagerEntry = "Delete Pager Entry \"%s\" ?";
inline constexpr std::string_view kModemAutoDetectConfirm =
    "The program will try to detect the com port of your modem. If you have an external modem "
    "make sure that it is switched on.This operation may take several minutes.Continue? ";
inline constexpr std::string_view kModemFound =
    "Modem found at com port %d . Press Yes to select this modem or No to continue AutoDetect.";
inline constexpr std::string_view kSelectModemCaption = "Select Modem";
inline constexpr std::string_view kNoMoreModems = "No more modems found.";
inline constexpr std::string_view kInvalidPagerEntryName =
    "Invalid Pager entry name. Spaces are not allowed in the entry name.";
inline constexpr std::string_view kInvalidPagerNumber = "Invalid Pager#. Spaces are not allowed.";
inline constexpr std::string_view kInvalidAccessNumber = "Invalid Access#. Spaces are not allowed.";
inline constexpr std::string_view kTelephonePageTooLong =
    "Your Telephone Page settings are too high.\nPlease reduce the Phone Number length, the Delay "
    "after Connection setting, or the Number of Beeps setting.";

// Evaluation run (event log). A line of pager.dat that is no entry.
inline constexpr std::string_view kPagerLineSkipped =
    "Skipped line %d of pager.dat: not a pager entry.";
// A pair of sendpages.dat whose first line is no entry.
inline constexpr std::string_view kQueueLineSkipped =
    "Skipped line %d of sendpages.dat: not a pager entry.";

// Senders (status window and event log).
inline constexpr std::string_view kModemPortOpenError = "Error in opening Modem com port.";
// Followed by the entry name in double quotes and a full stop.
inline constexpr std::string_view kSendingNumericPage = "Sending Page to Numeric entry ";
inline constexpr std::string_view kNumericPageSent =
    "Pager string \" %s \" sent to Numeric pager \"%s\" .";
// The modem never answered "OK" to a numeric pager's dial: nothing was sent.
inline constexpr std::string_view kNumericPageFailed =
    "Page to Numeric pager \"%s\" not sent: the modem did not answer OK.";
// Followed by the entry name in double quotes and a full stop.
inline constexpr std::string_view kSendingTelephoneAlarm = "Sending alarm to Telephone entry ";
// Followed by the entry name in double quotes and a full stop.
inline constexpr std::string_view kTelephoneAlarmSent = "Sent alarm to Telephone entry ";
inline constexpr std::string_view kSendingAlphaPage = "Sending Page to AlphaNumeric entry .";
inline constexpr std::string_view kDialingAlphaPager = "Dialing AlphaNumeric Pager \"%s\" .";
inline constexpr std::string_view kAlphaConnectFailed =
    "Failed to connect while dialing to AlphaNumeric Pager.";
inline constexpr std::string_view kAlphaIdReceiveError =
    "Failure in sending Page to %s. ID Receive error";
// The backslashes are printed: the log shows \"name\".
inline constexpr std::string_view kAlphaPageError =
    "Error in sending Page to Alphanumeric Pager \\\"%s\\\" .";
// After the page text in double quotes; followed by a blank, the entry name in
// double quotes and a full stop.
inline constexpr std::string_view kAlphaPageSent =
    "Following Pager string sent to Alphanumeric Pager";

// Alarm information view.
inline constexpr std::string_view kAlarmsNotConfigured = "Alarms not configured.";
inline constexpr std::string_view kPagerAlarmStatusEnabled = "Pager Alarm Status : Enabled\n\n\n";
inline constexpr std::string_view kPagerAlarmStatusDisabled = "Pager Alarm Status : Disabled\n\n\n";
// pager.inf: one line per quantity 0..10 with a limit, its name, its limits
// ("%.1f" after the label and a blank, or kAlarmInfoNoLimit) and its code.
inline constexpr std::array<std::string_view, 11> kAlarmInfoNames = {
    "Inside Temp", "Outside Temp", "Inside Hum", "Outside Hum", "Barometer",    "Wind Speed",
    "Daily Rain",  "Rain Rate",    "Dew Point",  "Wind Chill",  "Thermal Index"};
inline constexpr std::string_view kAlarmInfoLow = "\tLow  ";
inline constexpr std::string_view kAlarmInfoHigh = "\tHigh  ";
inline constexpr std::string_view kAlarmInfoNoLimit = "\t\t";
inline constexpr std::string_view kAlarmInfoCode = "\tCode ";
// pager.inf could not be written (the reason follows).
inline constexpr std::string_view kAlarmInfoWriteError = "Unable to write pager.inf: %s";

// The pager status window: its caption and its button.
inline constexpr std::string_view kPagerStatusCaption = "Title";
inline constexpr std::string_view kPagerStatusCancel = "&Cancel";

} // namespace bv::app::strings
