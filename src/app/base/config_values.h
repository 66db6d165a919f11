#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/base/config_fields.h"

namespace bv::app {

// A field named in a command: the whole field ("alarmLimits") or one element
// of an array ("alarmLimits[3]").
struct FieldSelection {
    const ConfigField* field = nullptr;
    std::optional<std::size_t> index;
};

// Finds the named field or element; on failure returns a null field and puts
// the reason in error.
FieldSelection selectField(std::string_view name, std::string& error);

// Elements of the field in the record.
std::size_t elementCount(const ConfigField& field);
bool isTextField(const ConfigField& field);
bool isFloatField(const ConfigField& field);

// Each selected element as text: integers and flags in decimal, floats in the
// shortest form that reads back the same, texts as held.
std::vector<std::string> formatElements(const ConfigRecord& record,
                                        const FieldSelection& selection);
// The elements joined by commas.
std::string formatValue(const ConfigRecord& record, const FieldSelection& selection);
// formatValue, followed for an enumerated scalar by its meaning: "4 (Tirrel D)".
std::string describeValue(const ConfigRecord& record, const FieldSelection& selection);

// Sets the selection from text, checked against the field's type, range,
// choices and width: one value for an element or scalar, all elements
// separated by commas for an array. Integers and flags also take the meaning
// of a value ("°C", "on"). Returns the reason for refusal, or empty when set;
// a refused value changes nothing.
std::string setValue(ConfigRecord& record, const FieldSelection& selection, std::string_view text);

} // namespace bv::app
