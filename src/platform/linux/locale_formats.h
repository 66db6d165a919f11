#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bv::platform {

// The strftime formats of one LC_TIME locale, as nl_langinfo gives them.
struct LocaleTimeFormats {
    std::string dateFormat; // D_FMT, e.g. "%m/%d/%Y" or "%d.%m.%Y"
    std::string timeFormat; // T_FMT, e.g. "%r" or "%H:%M:%S"
};

// The LC_TIME locale name the user's environment selects: the first non-empty of
// LC_ALL, LC_TIME and LANG, or "" when none is set.
std::string userTimeLocaleName();

// True for the C and POSIX locales in any of their spellings ("", "C", "POSIX",
// "C.UTF-8", "C.utf8"), which give no regional formats of their own.
bool isNeutralLocaleName(std::string_view name);

// The formats of the named locale, or nothing when the name is neutral or the locale
// is not installed. The process locale is not touched.
std::optional<LocaleTimeFormats> readLocaleTimeFormats(const std::string& localeName);

} // namespace bv::platform
