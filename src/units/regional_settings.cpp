#include "units/regional_settings.h"

#include <cctype>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/linux/locale_formats.h"

namespace bv::units {

namespace {

// What one strftime conversion shows; Literal marks a plain character.
enum class Field { Literal, Day, Month, Year, Hour24, Hour12, Minute, Second, AmPm, Other };

struct Token {
    Field field = Field::Literal;
    char literal = '\0';
};

constexpr char kConversion = '%';
constexpr std::string_view kFlags = "_-0^#";
constexpr std::string_view kModifiers = "EO";

// Conversions that stand for a sequence of others.
std::string_view expansionOf(char conversion)
{
    switch (conversion) {
    case 'D':
        return "%m/%d/%y";
    case 'F':
        return "%Y-%m-%d";
    case 'T':
        return "%H:%M:%S";
    case 'R':
        return "%H:%M";
    case 'r':
        return "%I:%M:%S %p";
    default:
        return {};
    }
}

Field fieldOf(char conversion)
{
    switch (conversion) {
    case 'd':
    case 'e':
        return Field::Day;
    case 'm':
    case 'b':
    case 'B':
    case 'h':
        return Field::Month;
    case 'y':
    case 'Y':
    case 'C':
    case 'G':
    case 'g':
        return Field::Year;
    case 'H':
    case 'k':
        return Field::Hour24;
    case 'I':
    case 'l':
        return Field::Hour12;
    case 'M':
        return Field::Minute;
    case 'S':
        return Field::Second;
    case 'p':
    case 'P':
        return Field::AmPm;
    default:
        return Field::Other;
    }
}

void tokenize(std::string_view format, std::vector<Token>& tokens)
{
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i++];
        if (c != kConversion) {
            tokens.push_back({Field::Literal, c});
            continue;
        }
        while (i < format.size() && (kFlags.find(format[i]) != std::string_view::npos ||
                                     std::isdigit(static_cast<unsigned char>(format[i])))) {
            ++i;
        }
        if (i < format.size() && kModifiers.find(format[i]) != std::string_view::npos) {
            ++i;
        }
        if (i == format.size()) {
            return;
        }
        const char conversion = format[i++];
        if (conversion == kConversion) {
            tokens.push_back({Field::Literal, kConversion});
        } else if (const std::string_view expansion = expansionOf(conversion); !expansion.empty()) {
            tokenize(expansion, tokens);
        } else {
            tokens.push_back({fieldOf(conversion), '\0'});
        }
    }
}

bool isSeparatorCandidate(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0x80 && std::ispunct(u) && c != kConversion;
}

constexpr std::ptrdiff_t kAbsent = -1;

std::ptrdiff_t firstIndexOf(const std::vector<Token>& tokens, Field field)
{
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].field == field) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return kAbsent;
}

// The first separator character among the literals after the field at start and
// before the next field of any kind; fallback when there is none.
char separatorAfter(const std::vector<Token>& tokens, std::ptrdiff_t start, char fallback)
{
    if (start == kAbsent) {
        return fallback;
    }
    for (auto i = static_cast<std::size_t>(start) + 1; i < tokens.size(); ++i) {
        if (tokens[i].field != Field::Literal) {
            break;
        }
        if (isSeparatorCandidate(tokens[i].literal)) {
            return tokens[i].literal;
        }
    }
    return fallback;
}

void deriveDateSettings(std::string_view dateFormat, RegionalSettings& settings)
{
    std::vector<Token> tokens;
    tokenize(dateFormat, tokens);
    const std::ptrdiff_t dayAt = firstIndexOf(tokens, Field::Day);
    const std::ptrdiff_t monthAt = firstIndexOf(tokens, Field::Month);
    const std::ptrdiff_t yearAt = firstIndexOf(tokens, Field::Year);
    if (dayAt == kAbsent || monthAt == kAbsent) {
        return;
    }
    std::ptrdiff_t firstAt = dayAt < monthAt ? dayAt : monthAt;
    if (yearAt != kAbsent && yearAt < monthAt && yearAt < dayAt) {
        settings.dateOrder = DateOrder::YearMonthDay;
        firstAt = yearAt;
    } else if (dayAt < monthAt) {
        settings.dateOrder = DateOrder::DayMonthYear;
    } else {
        settings.dateOrder = DateOrder::MonthDayYear;
    }
    settings.dateSeparator = separatorAfter(tokens, firstAt, settings.dateSeparator);
}

void deriveTimeSettings(std::string_view timeFormat, RegionalSettings& settings)
{
    std::vector<Token> tokens;
    tokenize(timeFormat, tokens);
    const std::ptrdiff_t hour24At = firstIndexOf(tokens, Field::Hour24);
    const std::ptrdiff_t hour12At = firstIndexOf(tokens, Field::Hour12);
    std::ptrdiff_t hourAt = kAbsent;
    if (hour24At != kAbsent && (hour12At == kAbsent || hour24At < hour12At)) {
        settings.clock24 = true;
        hourAt = hour24At;
    } else if (hour12At != kAbsent) {
        settings.clock24 = false;
        hourAt = hour12At;
    }
    settings.timeSeparator = separatorAfter(tokens, hourAt, settings.timeSeparator);
}

} // namespace

RegionalSettings deriveRegionalSettings(std::string_view dateFormat, std::string_view timeFormat)
{
    RegionalSettings settings;
    deriveDateSettings(dateFormat, settings);
    deriveTimeSettings(timeFormat, settings);
    return settings;
}

RegionalSettings readRegionalSettings()
{
    const auto formats = platform::readLocaleTimeFormats(platform::userTimeLocaleName());
    if (!formats) {
        return {};
    }
    return deriveRegionalSettings(formats->dateFormat, formats->timeFormat);
}

} // namespace bv::units
