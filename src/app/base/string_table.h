#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace bv::app {

// One text of a string table and the number the program loads it by.
struct StringEntry {
    int id;
    std::string_view text;
};

// The texts of the main programs (hollit, hollit1, viraraz) by number. The
// numbered texts are declared next to their subsystem in strings_*.h; texts
// that have no number are plain named constants there.
//
// Returns the exact text, or an empty text for a number the table does not
// hold (as loading a missing resource string gives an empty buffer).
std::string_view text(int id);

// Loads a text the way a fixed buffer does: at most maxChars characters.
std::string loadText(int id, std::size_t maxChars);

// Texts loaded for a message box (errorBoxId) are cut at 150 characters.
inline constexpr std::size_t kMessageBoxTextLimit = 150;
// Texts loaded for the event log (logEventId) are cut at 199 characters.
inline constexpr std::size_t kEventTextLimit = 199;

// The installer's own table; its numbers overlap the main table's.
std::string_view installerText(int id);

// The whole tables, sorted by number, for tools and tests.
std::span<const StringEntry> mainStringTable();
std::span<const StringEntry> installerStringTable();

} // namespace bv::app
