#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bv::paging {

inline constexpr std::string_view kPagerFileName = "pager.dat";
// "pager.dat" and "alarm.dat" are written whole or not at all, readable by all.
inline constexpr unsigned kSettingsFileMode = 0644;

enum class EntryKind : int { Numeric = 0, AlphaNumeric = 1, Telephone = 2, PcSpeaker = 3 };

// "Numeric Pager", "AlphaNumeric Pager", "Telephone", "PC Speaker".
std::string_view kindName(EntryKind kind);

// The four code bytes of an entry's advanced settings, as "pager.dat" keeps them.
struct AdvancedSettings {
    static constexpr std::uint8_t kManual = 1;
    static constexpr std::uint8_t kAutomatic = 2;
    static constexpr std::uint8_t kBaud300 = 1;
    static constexpr std::uint8_t kBaud1200 = 2;
    static constexpr std::uint8_t kBaud2400 = 3;
    static constexpr std::uint8_t kQuietAnswer = 2;
    static constexpr std::uint8_t kNoQuietAnswer = 1;

    std::uint8_t protocol = kManual;
    std::uint8_t baudRate = kBaud1200;
    std::uint8_t timeInterval = 1; // 1 (Low) .. 5 (High)
    std::uint8_t quietAnswer = kQuietAnswer;

    bool operator==(const AdvancedSettings&) const = default;
};

// One destination of pages: a line of "pager.dat".
struct PagerEntry {
    static constexpr std::size_t kMaxTextChars = 49; // name, number, access number
    static constexpr int kDefaultConnectDelaySec = 6;
    static constexpr int kDefaultAccessDelaySec = 2;

    std::string name; // 1..49 characters, no blanks
    EntryKind kind = EntryKind::Numeric;
    int connectDelaySec = kDefaultConnectDelaySec; // Delay after Connection
    int beeps = 0;                                 // telephones
    std::string number = "0";                      // Pager # / Phone #
    std::string access = "0";                      // Access #; the pager ID of alphanumeric pagers
    AdvancedSettings advanced;
    int accessDelaySec = kDefaultAccessDelaySec; // Delay after Access Number

    bool usesQuietAnswer() const { return advanced.quietAnswer == AdvancedSettings::kQuietAnswer; }
    bool hasAccessNumber() const { return access != "0"; }
    bool operator==(const PagerEntry&) const = default;
};

// The line of "pager.dat" without its newline:
// name, five tabs, kind, delay, beeps, number, access, the four code bytes,
// access delay, each followed by a tab.
std::string formatPagerLine(const PagerEntry& entry);

// Reads a line back as the format above reads: fields end at a tab or a blank.
// Nothing for a line longer than kMaxPagerLineChars, with a field missing,
// over-long or not a number, a kind outside 0..3, or text after the last field.
inline constexpr std::size_t kMaxPagerLineChars = 250;
std::optional<PagerEntry> parsePagerLine(std::string_view line);

// The entry name the Pager Setup list shows and Delete asks about: the line up
// to its first tab.
std::string_view entryNameOf(std::string_view line);

// A line of "pager.dat" as read (line end removed) and its entry.
struct PagerLine {
    std::string text;
    PagerEntry entry;
};

using LogFn = std::function<void(const std::string&)>;

// Reads "pager.dat" (lines ending in "\n" or "\r\n"); a line that does not
// parse is skipped and its number logged. Nothing when the file cannot be opened.
std::optional<std::vector<PagerLine>> readPagerFile(const std::filesystem::path& file,
                                                    const LogFn& log);
// Writes the lines, each followed by a newline; false when it could not.
bool writePagerFile(const std::filesystem::path& file, const std::vector<std::string>& lines);

} // namespace bv::paging
