#include "app/base/string_table.h"

#include <algorithm>
#include <array>

#include "app/base/strings_paging.h"
#include "app/base/strings_publish.h"
#include "app/base/strings_setup.h"
#include "app/base/strings_shell.h"
#include "app/base/strings_station.h"
#include "app/base/strings_weather.h"

namespace bv::app {

namespace {

using namespace strings;

constexpr bool byId(const StringEntry& a, const StringEntry& b)
{
    return a.id < b.id;
}

// Joins groups of entries into one table sorted by number.
template <std::size_t... N> constexpr auto sortedTable(const std::array<StringEntry, N>&... groups)
{
    std::array<StringEntry, (N + ...)> table{};
    std::size_t next = 0;
    ((std::copy(groups.begin(), groups.end(), table.begin() + static_cast<std::ptrdiff_t>(next)),
      next += N),
     ...);
    std::sort(table.begin(), table.end(), byId);
    return table;
}

template <std::size_t N> constexpr bool hasUniqueIds(const std::array<StringEntry, N>& table)
{
    return std::adjacent_find(table.begin(), table.end(), [](const auto& a, const auto& b) {
               return a.id == b.id;
           }) == table.end();
}

constexpr std::array kSingleMainEntries = {
    // Station link.
    kStationCommError,
    kArchiveHeaderClassic1,
    kArchiveHeaderClassic2,
    kArchiveHeaderTirrel1,
    kArchiveHeaderTirrel2,
    // Weather values.
    kMissingValue,
    kTrendSteady,
    kTrendRising,
    kTrendFalling,
    kSoilTempLabel,
    kDailyEtLabel,
    // Publishing.
    kFileNotFound,
    kRetrievingCurrentData,
    kProcessingTemplates,
    kConvertedTemplate,
    kProcessingCurrentImages,
    kProcessingArchiveImages,
    kProcessingTemplate,
    kTransferringFiles,
    kInternetOpenError,
    kFtpHostNotFound,
    kFtpIncorrectUser,
    kFtpIncorrectPassword,
    kFtpLoginFailed,
    kFtpCannotConnect,
    kFtpConnectError,
    kInternetConfigError,
    kFtpDirectoryError,
    kTransferringLocal,
    kCopiedLocal,
    kLocalTransferError,
    kTransferringFtp,
    kFtpTransferred,
    kFtpTransferError,
    kDialupInvalidEntry,
    kDialupConnected,
    kDialupAborted,
    kDialupConnectError,
    kHangingUp,
    kDialOpeningPort,
    kDialDialing,
    kDialAuthenticating,
    kDialConnected,
    kDialError,
    kDialLineBusy,
    kRedialSecond,
    kRedialThird,
    kRedialNth,
    kUploadIntervalTooShort,
    kInvalidDialupConnection,
    kInvalidDialupLogin,
    kInvalidFtpHost,
    kInvalidFtpUser,
    kInvalidFtpPassword,
    kInvalidFtpPort,
    kInvalidLocalPath,
    kSelectFileFirst,
    kRemoveFile,
    kRemoveAllFiles,
    kConfirmCaption,
    kArchiveFileNameEmpty,
    // Shell.
    kFromAfterTo,
};

constexpr auto kMainTable = sortedTable(kSingleMainEntries, kCompassPoints, kCurrentImageFiles,
                                        kGraphImageFiles, kWalkthroughSteps);
static_assert(hasUniqueIds(kMainTable), "two texts of the main table share a number");

constexpr auto kInstallerTable = sortedTable(std::array{
    setup::kErrorCaption,
    setup::kTemplatesExists,
    setup::kCreateDirectoryError,
    setup::kNoFilesOnDisk,
    setup::kInstalled,
    setup::kInstallHdrMissing,
    setup::kInstallHdrInvalid,
    setup::kWarningCaption,
    setup::kEnterValidPath,
    setup::kCopyError,
    setup::kUpgradeOnly,
    setup::kDesktopShortcut,
    setup::kPreviousInstallation,
});
static_assert(hasUniqueIds(kInstallerTable), "two texts of the installer table share a number");

std::string_view findText(std::span<const StringEntry> table, int id)
{
    const auto it = std::lower_bound(table.begin(), table.end(), StringEntry{id, {}}, byId);
    return it != table.end() && it->id == id ? it->text : std::string_view{};
}

} // namespace

std::string_view text(int id)
{
    return findText(kMainTable, id);
}

std::string loadText(int id, std::size_t maxChars)
{
    return std::string(text(id).substr(0, maxChars));
}

std::string_view installerText(int id)
{
    return findText(kInstallerTable, id);
}

std::span<const StringEntry> mainStringTable()
{
    return kMainTable;
}

std::span<const StringEntry> installerStringTable()
{
    return kInstallerTable;
}

} // namespace bv::app
