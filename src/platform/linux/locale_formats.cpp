#include "platform/linux/locale_formats.h"

#include <array>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace bv::platform {

namespace {

// Environment variables that select LC_TIME, strongest first.
constexpr std::array<const char*, 3> kTimeLocaleVariables = {"LC_ALL", "LC_TIME", "LANG"};

constexpr std::array<std::string_view, 2> kNeutralNames = {"C", "POSIX"};
// A neutral name may carry a code set or modifier: "C.UTF-8", "C.utf8", "POSIX@x".
constexpr std::string_view kNameSuffixStarts = ".@";

} // namespace

std::string userTimeLocaleName()
{
    for (const char* variable : kTimeLocaleVariables) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

bool isNeutralLocaleName(std::string_view name)
{
    if (name.empty()) {
        return true;
    }
    const std::string_view base = name.substr(0, name.find_first_of(kNameSuffixStarts));
    for (std::string_view neutral : kNeutralNames) {
        if (base == neutral) {
            return true;
        }
    }
    return false;
}

std::optional<LocaleTimeFormats> readLocaleTimeFormats(const std::string& localeName)
{
    if (isNeutralLocaleName(localeName)) {
        return std::nullopt;
    }
    // A locale object of its own: the process and thread locales stay as they are.
    locale_t locale = newlocale(LC_TIME_MASK, localeName.c_str(), static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return std::nullopt;
    }
    LocaleTimeFormats formats{nl_langinfo_l(D_FMT, locale), nl_langinfo_l(T_FMT, locale)};
    freelocale(locale);
    return formats;
}

} // namespace bv::platform
