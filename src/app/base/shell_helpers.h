#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace bv::app {

// True for an empty text or one made only of blanks; false for no text at all
// (nullptr) and for any text with something else in it.
bool isBlank(const char* text);
bool isBlank(std::string_view text);

// The text validators of the paging dialogs. All refuse an empty text.
// Alarm codes of alphanumeric pagers: letters, digits, '*' and blanks.
bool isAlphanumericCode(std::string_view text);
// Alarm codes of numeric pagers and telephones: digits, '*' and blanks.
bool isNumericCode(std::string_view text);
// Alarm limits: digits, '-' and '.'.
bool isNumberText(std::string_view text);
// Free text: no control character (below 0x20, or 0x7F).
bool isPrintableText(std::string_view text);

// Equal but for the case of ASCII letters ("INSTALL.HDR" is "install.hdr").
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Size in bytes, or -1 when there is no such file.
std::int64_t fileSize(const std::filesystem::path& path);

// A window's rectangle in screen pixels; right and bottom are exclusive.
struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The rectangle of the same size centred on a screen of the given size:
// left = (screenWidth + left - right - 1) / 2, top likewise.
WindowRect centeredRect(const WindowRect& window, int screenWidth, int screenHeight);

} // namespace bv::app
