#include "app/base/config_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

namespace bv::app {
namespace {

constexpr char kListSeparator = ',';

template <class F> auto visitElements(ConfigRecord& record, const ConfigField& field, F&& fn)
{
    return std::visit([&](auto access) { return fn(access(record)); }, field.access);
}

std::int64_t integerOf(std::int64_t value)
{
    return value;
}

std::int64_t integerOf(Flag flag)
{
    return flag.raw();
}

template <class T> std::string formatElement(const T& value)
{
    if constexpr (std::is_same_v<T, std::string>) {
        return value;
    } else if constexpr (std::is_same_v<T, float>) {
        char buffer[32];
        const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
        return {buffer, result.ptr};
    } else {
        return std::to_string(integerOf(value));
    }
}

std::string joinValues(const std::vector<std::string>& values)
{
    std::string joined;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            joined += kListSeparator;
        }
        joined += values[i];
    }
    return joined;
}

std::string selectionName(const FieldSelection& selection)
{
    std::string name(selection.field->name);
    if (selection.index) {
        name += "[" + std::to_string(*selection.index) + "]";
    }
    return name;
}

template <class Number> std::optional<Number> parseNumber(std::string_view text)
{
    Number value{};
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::string describeChoices(const ConfigField& field)
{
    std::string list;
    for (const FieldChoice& choice : field.choices) {
        if (!list.empty()) {
            list += ", ";
        }
        list += std::to_string(choice.value);
        if (!choice.label.empty()) {
            list += " (" + std::string(choice.label) + ")";
        }
    }
    return list;
}

std::optional<std::int64_t> parseInteger(const ConfigField& field, std::string_view text,
                                         std::string& error, const std::string& name)
{
    if (!field.choices.empty()) {
        const auto parsed = parseNumber<std::int64_t>(text);
        for (const FieldChoice& choice : field.choices) {
            if ((parsed && *parsed == choice.value) ||
                (!choice.label.empty() && text == choice.label)) {
                return choice.value;
            }
        }
        error = name + " must be one of " + describeChoices(field);
        return std::nullopt;
    }
    const auto parsed = parseNumber<std::int64_t>(text);
    if (!parsed || *parsed < field.minimum || *parsed > field.maximum) {
        error = name + " must be a whole number from " + std::to_string(field.minimum) + " to " +
                std::to_string(field.maximum);
        return std::nullopt;
    }
    return parsed;
}

template <class T>
std::optional<T> parseElement(const ConfigField& field, std::string_view text, std::string& error,
                              const std::string& name)
{
    if constexpr (std::is_same_v<T, std::string>) {
        const std::size_t limit = field.maxLength;
        if (text.size() > limit) {
            error = name + " takes at most " + std::to_string(limit) + " characters";
            return std::nullopt;
        }
        return std::string(text);
    } else if constexpr (std::is_same_v<T, float>) {
        const auto parsed = parseNumber<float>(text);
        if (!parsed || !std::isfinite(*parsed)) {
            error = name + " must be a number";
            return std::nullopt;
        }
        return parsed;
    } else {
        const auto parsed = parseInteger(field, text, error, name);
        if (!parsed) {
            return std::nullopt;
        }
        if constexpr (std::is_same_v<T, Flag>) {
            return Flag(*parsed != 0);
        } else {
            return static_cast<T>(*parsed);
        }
    }
}

std::vector<std::string_view> splitList(std::string_view text)
{
    std::vector<std::string_view> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(kListSeparator, start);
        items.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return items;
        }
        start = comma + 1;
    }
}

} // namespace

FieldSelection selectField(std::string_view name, std::string& error)
{
    std::optional<std::size_t> index;
    std::string_view fieldName = name;
    if (const auto open = name.find('['); open != std::string_view::npos) {
        const auto parsed =
            name.back() == ']'
                ? parseNumber<std::size_t>(name.substr(open + 1, name.size() - open - 2))
                : std::nullopt;
        if (!parsed) {
            error = "malformed element \"" + std::string(name) + "\" (use NAME[INDEX])";
            return {};
        }
        index = parsed;
        fieldName = name.substr(0, open);
    }
    const ConfigField* field = findConfigField(fieldName);
    if (field == nullptr) {
        error = "unknown setting \"" + std::string(fieldName) + "\"";
        return {};
    }
    if (index && *index >= elementCount(*field)) {
        error = std::string(fieldName) + " has " + std::to_string(elementCount(*field)) +
                " elements, numbered from 0";
        return {};
    }
    return {field, index};
}

std::size_t elementCount(const ConfigField& field)
{
    ConfigRecord probe;
    return visitElements(probe, field, [](auto values) { return values.size(); });
}

bool isTextField(const ConfigField& field)
{
    return std::holds_alternative<FieldAccessor<std::string>>(field.access);
}

bool isFloatField(const ConfigField& field)
{
    return std::holds_alternative<FieldAccessor<float>>(field.access);
}

std::vector<std::string> formatElements(const ConfigRecord& record, const FieldSelection& selection)
{
    // The accessors hand out spans over a mutable record.
    ConfigRecord source = record;
    return visitElements(source, *selection.field, [&](auto values) {
        if (selection.index) {
            values = values.subspan(*selection.index, 1);
        }
        std::vector<std::string> texts;
        for (const auto& value : values) {
            texts.push_back(formatElement(value));
        }
        return texts;
    });
}

std::string formatValue(const ConfigRecord& record, const FieldSelection& selection)
{
    return joinValues(formatElements(record, selection));
}

std::string describeValue(const ConfigRecord& record, const FieldSelection& selection)
{
    std::string text = formatValue(record, selection);
    if (elementCount(*selection.field) != 1) {
        return text;
    }
    for (const FieldChoice& choice : selection.field->choices) {
        if (!choice.label.empty() && std::to_string(choice.value) == text) {
            return text + " (" + std::string(choice.label) + ")";
        }
    }
    return text;
}

std::string setValue(ConfigRecord& record, const FieldSelection& selection, std::string_view text)
{
    const ConfigField& field = *selection.field;
    const std::string name = selectionName(selection);
    if (field.readOnly) {
        return name + " is set to the station directory at every start and cannot be changed";
    }
    return visitElements(record, field, [&](auto values) -> std::string {
        using T = typename decltype(values)::value_type;
        if (selection.index) {
            values = values.subspan(*selection.index, 1);
        }
        const bool whole = values.size() == 1;
        const auto items = whole ? std::vector<std::string_view>{text} : splitList(text);
        if (items.size() != values.size()) {
            return name + " takes " + std::to_string(values.size()) +
                   " values separated by commas, or one element as " + name + "[INDEX]";
        }
        std::vector<T> parsed;
        std::string error;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string itemName = whole ? name : name + "[" + std::to_string(i) + "]";
            auto value = parseElement<T>(field, items[i], error, itemName);
            if (!value) {
                return error;
            }
            parsed.push_back(std::move(*value));
        }
        std::ranges::move(parsed, values.begin());
        return {};
    });
}

} // namespace bv::app
