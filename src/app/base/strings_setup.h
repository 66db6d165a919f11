#pragma once

#include <string_view>

#include "app/base/string_table.h"

// Texts of the installer (its own numbered table) and of the launcher.
namespace bv::app::strings::setup {

inline constexpr StringEntry kErrorCaption{4, "Error"};
inline constexpr StringEntry kTemplatesExists{
    7, "The directory '%s' already exists.  Choose OK to continue or CANCEL to start over."};
inline constexpr StringEntry kCreateDirectoryError{8, "Could not create '%s'.  Error %d."};
inline constexpr StringEntry kNoFilesOnDisk{
    14, "No files on disk.  Note, long file names are not supported. (8 chars max)"};
inline constexpr StringEntry kInstalled{
    20, "The program installed correctly.There is a manual.doc file which serves as an on-line "
        "manual . Be sure to read both the readme.txt and manual.doc before using the program."};
inline constexpr StringEntry kInstallHdrMissing{
    22, "Could not open install.hdr. This file is required for installation. Please call Tech "
        "Support for help."};
inline constexpr StringEntry kInstallHdrInvalid{
    28, "The install.hdr file is invalid. Please call Tech Support for help."};
inline constexpr StringEntry kWarningCaption{29, "Warning"};
inline constexpr StringEntry kEnterValidPath{31, "Enter a valid path"};
inline constexpr StringEntry kCopyError{32, "Error copying %s."};
inline constexpr StringEntry kUpgradeOnly{
    34, "Can only install the upgrade over an existing complete installation. Please re-install  "
        "or specify the path of your current version."};
inline constexpr StringEntry kDesktopShortcut{35, "Create Desktop Shortcut ?"};
inline constexpr StringEntry kPreviousInstallation{
    36, "A previous installation was detected. If you procede you will have to enter your settings "
        "again. If you would like a chance to examine your current settings first, choose "
        "no.\n\nDo you want to continue installing this program? "};

inline constexpr std::string_view kProgramGroupError = "Unable to create Program Group";
inline constexpr std::string_view kCopyingFiles = "Copying files";

// Launcher.
inline constexpr std::string_view kLauncherErrorCaption = "Error Starting Viraraz";
inline constexpr std::string_view kHollitNotFound =
    "Unable to find the file hollit.exe. Make sure it is in the same directory.";
inline constexpr std::string_view kHollit1NotFound =
    "Unable to find the file hollit1.exe. Make sure it is in the same directory.";

} // namespace bv::app::strings::setup
