#include "app/base/shell_helpers.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace bv::app {

namespace {

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

template <class Allowed> bool isNonEmptyOf(std::string_view text, Allowed allowed)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), allowed);
}

} // namespace

bool isBlank(const char* text)
{
    return text != nullptr && isBlank(std::string_view{text});
}

bool isBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

bool isAlphanumericCode(std::string_view text)
{
    return isNonEmptyOf(
        text, [](char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == '*' || c == ' '; });
}

bool isNumericCode(std::string_view text)
{
    return isNonEmptyOf(text, [](char c) { return isAsciiDigit(c) || c == '*' || c == ' '; });
}

bool isNumberText(std::string_view text)
{
    return isNonEmptyOf(text, [](char c) { return isAsciiDigit(c) || c == '-' || c == '.'; });
}

bool isPrintableText(std::string_view text)
{
    return isNonEmptyOf(text, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte != 0x7F;
    });
}

std::int64_t fileSize(const std::filesystem::path& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return -1;
    return static_cast<std::int64_t>(size);
}

WindowRect centeredRect(const WindowRect& window, int screenWidth, int screenHeight)
{
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    WindowRect centred;
    centred.left = (screenWidth + window.left - window.right - 1) / 2;
    centred.top = (screenHeight + window.top - window.bottom - 1) / 2;
    centred.right = centred.left + width;
    centred.bottom = centred.top + height;
    return centred;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace bv::app
