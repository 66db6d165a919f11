#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "paging/pager_entry.h"

namespace bv::paging {

inline constexpr std::string_view kAlarmCodesFileName = "alarm.dat";
// Codes of quantities 0..10, then of the two AND alarms.
inline constexpr int kAlarmCodeCount = 13;
inline constexpr int kFirstAndAlarmCode = 11;
inline constexpr std::size_t kMaxAlarmCodeChars = 20;
// Sent in place of a code that the entry's kind cannot carry.
inline constexpr std::string_view kInvalidCodeText = "9999";

using AlarmCodes = std::array<std::string, kAlarmCodeCount>;

// The 13 lines of "alarm.dat", line ends ("\n" or "\r\n") removed, each cut to
// kMaxAlarmCodeChars; lines the file lacks are empty codes. Nothing when the
// file cannot be opened.
std::optional<AlarmCodes> readAlarmCodes(const std::filesystem::path& file);
// Each code, cut to kMaxAlarmCodeChars, followed by a newline; false on failure.
bool writeAlarmCodes(const std::filesystem::path& file, const AlarmCodes& codes);

// The code as sent to an entry of this kind: unchanged when valid for it
// (numeric pagers and telephones: digits, "*" and blanks; alphanumeric pagers:
// letters too; never empty), else kInvalidCodeText.
std::string pageCode(std::string_view code, EntryKind kind);

} // namespace bv::paging
