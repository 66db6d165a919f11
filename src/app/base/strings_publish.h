#pragma once

#include <string_view>

#include "app/base/string_table.h"

// Texts of web publishing: transfer list and cycle, FTP and local delivery,
// dial-up networking, and the Internet and Data setup dialogs.
namespace bv::app::strings {

// Transfer list.
inline constexpr StringEntry kFileNotFound{40424, "File \"%s\" not found."};
inline constexpr std::string_view kFileListUnreadable = "Unable to open the transfer list \"%s\".";
inline constexpr std::string_view kSendQueueUnwritable = "Unable to write the send queue \"%s\".";

// Template conversion failures; nothing is queued for such a template.
inline constexpr std::string_view kTemplateUnreadable = "Unable to read template \"%s\".";
inline constexpr std::string_view kPageUnwritable = "Unable to write converted template \"%s\".";
inline constexpr std::string_view kPageWouldReplaceTemplate =
    "Template \"%s\" not converted: its converted file would replace it. Choose another "
    "extension for converted templates.";

// Transfer cycle progress (status line).
inline constexpr StringEntry kRetrievingCurrentData{40480, "Retrieving current data."};
inline constexpr StringEntry kProcessingTemplates{40481, "Processing templates."};
inline constexpr StringEntry kConvertedTemplate{40482, "Converted template %s ."};
inline constexpr StringEntry kProcessingCurrentImages{40483, "Processing current weather Images."};
inline constexpr StringEntry kProcessingArchiveImages{40484, "Processing archive weather Images."};
inline constexpr StringEntry kProcessingTemplate{40485, "Processing Template %s"};
inline constexpr StringEntry kTransferringFiles{40486, "Transferring Files."};
inline constexpr std::string_view kUnableToSetTimer = "Unable to set Timer.";

// FTP connection.
inline constexpr StringEntry kInternetOpenError{
    40416, "Error Opening Internet Connection (%ld) Check your settings."};
inline constexpr StringEntry kFtpHostNotFound{40417, "Unable to find FTP host '%s'."};
inline constexpr StringEntry kFtpIncorrectUser{40418, "Incorrect FTP User Name '%s'."};
inline constexpr StringEntry kFtpIncorrectPassword{40419,
                                                   "Incorrect FTP Password for FTP name '%s'."};
inline constexpr StringEntry kFtpLoginFailed{
    40420, "Unable to Login to the FTP server '%s' with user '%s'."};
inline constexpr StringEntry kFtpCannotConnect{
    40421, "Unable to Connect to the FTP server '%s' with user '%s'."};
inline constexpr StringEntry kFtpConnectError{40422, "Error Connecting to the FTP server (%ld)."};
inline constexpr StringEntry kInternetConfigError{
    40258, "Error retrieving Internet Configuration from Registry"};
inline constexpr StringEntry kFtpDirectoryError{40300, "Error setting  FTP directory path '%s'."};
inline constexpr std::string_view kFtpPassiveMode =
    "Active-mode FTP data connection failed; using passive mode for the rest of this transfer.";

// Delivery of one queue entry.
inline constexpr StringEntry kTransferringLocal{40262, "Transferring file \"%s\" to local drive."};
inline constexpr StringEntry kCopiedLocal{40263,
                                          " Copied file from \"%s\"  to  \"%s\"   local drive."};
inline constexpr StringEntry kLocalTransferError{
    40264, "Error in transferring file \"%s\" to local drive."};
inline constexpr StringEntry kTransferringFtp{40265, "Transferring file \"%s\" to FTP site."};
inline constexpr StringEntry kFtpTransferred{40266,
                                             "File \"%s\" transferred successfully to FTP site."};
inline constexpr StringEntry kFtpTransferError{40267,
                                               "Error in transferring file \"%s\" to FTP site. "};

// Dial-up networking: event log.
inline constexpr StringEntry kDialupInvalidEntry{40432, "Dial-up failed. Invalid Dial-Up entry."};
inline constexpr StringEntry kDialupConnected{40223, " Connection established by Dialup. "};
inline constexpr StringEntry kDialupAborted{40224, " Dialup aborted by user. "};
inline constexpr StringEntry kDialupConnectError{
    40225, " Error in connecting. Check your Dial-up settings."};
inline constexpr StringEntry kHangingUp{40371, "Hanging up Dialup connection."};
inline constexpr std::string_view kConnectionsError = "Connections Error";
inline constexpr std::string_view kDialupUnknownResult =
    " Dial-up ended with the unknown result %d; the connection is not used. ";

// Dial-up networking: the dialog's status text.
inline constexpr std::string_view kDialupDialogTitle =
    "Connecting to Internet via Dial-up Networking";
inline constexpr StringEntry kDialOpeningPort{40487, "Opening the Com Port"};
inline constexpr StringEntry kDialDialing{40488, "Dialing"};
inline constexpr StringEntry kDialAuthenticating{40489, "Verifying Username and Password"};
inline constexpr StringEntry kDialConnected{40490, "Connection Established"};
inline constexpr StringEntry kDialError{40491, "Error in connecting. Check your Dial-up settings."};
inline constexpr StringEntry kDialLineBusy{
    40374, "Line Busy. Will make %d'th connection attempt in %d seconds."};
inline constexpr StringEntry kRedialSecond{
    40195, "Waiting to redial.... 2'nd attempt (of %d) in %d seconds."};
inline constexpr StringEntry kRedialThird{
    40372, "Waiting to redial.... 3'rd attempt (of %d) in %d seconds."};
inline constexpr StringEntry kRedialNth{
    40373, "Waiting to redial.... %d'th attempt (of %d) in %d seconds."};

// Internet Configuration dialog.
inline constexpr StringEntry kUploadIntervalTooShort{
    40037, "It is recommended that with the current settings, the upload interval\n be set to "
           "higher than 1 minute. Modify current settings ?"};
inline constexpr StringEntry kInvalidDialupConnection{
    40038, "You have selected an Invalid Dial-up Connection. Please create an Entry using Windows "
           "Dial-up Networking."};
inline constexpr StringEntry kInvalidDialupLogin{
    40200, "Invalid entry for Dial-up user name and password. Continue?"};
inline constexpr StringEntry kInvalidFtpHost{40202, "Invalid FTP Host entry . Continue?"};
inline constexpr StringEntry kInvalidFtpUser{40203, "Invalid FTP User Name entry . Continue?"};
inline constexpr StringEntry kInvalidFtpPassword{40204,
                                                 "Invalid FTP User Password entry . Continue?"};
inline constexpr StringEntry kInvalidFtpPort{40205, "Invalid FTP Port entry . Continue?"};
inline constexpr StringEntry kInvalidLocalPath{
    40206, "Error in local path entry.  Please enter the full directory path."};

// The directory picker of "&Browse...".
inline constexpr std::string_view kSelectDirectoryTitle = "Select Directory";
// A settings dialog whose OK could not write its file stays open with this.
inline constexpr std::string_view kSettingsNotSaved = "The settings could not be saved: %s";

// Data Setup dialog.
inline constexpr StringEntry kSelectFileFirst{40361, "Select a file first."};
inline constexpr StringEntry kRemoveFile{40360, "Remove File %s ?"};
inline constexpr StringEntry kRemoveAllFiles{40359, "Remove all files ?"};
inline constexpr StringEntry kConfirmCaption{40434, "Confirm"};
inline constexpr StringEntry kArchiveFileNameEmpty{
    40259, "Archive  file name is empty. Please enter a valid name through Archive setup."};

inline constexpr std::string_view kTemplateExtensionRefused =
    "The extension \"htx\" is that of the templates: the converted pages would overwrite them. "
    "Please choose another extension.";
inline constexpr std::string_view kFilesListNotSaved = "The list of files could not be saved: %s";
inline constexpr std::string_view kFileFilterName = "File";

} // namespace bv::app::strings
