#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "app/base/config_record.h"

namespace bv::app {

// Reaches one field of a record as a span: one element for a scalar, all of
// them for an array.
template <class T> using FieldAccessor = std::span<T> (*)(ConfigRecord&);

// The element type of a field fixes its encoding in "config.dat":
//   std::string                            text[textWidth], NUL-terminated
//   std::int8_t, std::int16_t, std::int32_t signed, little-endian
//   std::uint8_t                           one unsigned byte
//   Flag                                   one byte, 1 = on
//   float                                  IEEE single, little-endian
//   std::uint16_t                          the FTP port: its low byte at the field's
//                                          offset and a 16-bit copy at kFtpPortWideOffset
using FieldAccess = std::variant<FieldAccessor<std::string>, FieldAccessor<std::int8_t>,
                                 FieldAccessor<std::int16_t>, FieldAccessor<std::int32_t>,
                                 FieldAccessor<std::uint8_t>, FieldAccessor<Flag>,
                                 FieldAccessor<float>, FieldAccessor<std::uint16_t>>;

// One value an enumerated field may hold, with its meaning ("Ostrel II", "°C").
struct FieldChoice {
    std::int64_t value;
    std::string_view label;
};

// One field of the record: where it lies in the file, how it is reached in
// memory and which values it accepts when set by name.
struct ConfigField {
    std::string_view name;  // as in code, day-ranges dotted: "transferRange.days"
    std::size_t offset = 0; // of the first element in the file
    FieldAccess access;
    std::size_t textWidth = 0; // texts: bytes in the file, NUL included
    std::size_t maxLength = 0; // texts: longest text accepted when set
    std::int64_t minimum = 0;  // integers without choices: accepted range
    std::int64_t maximum = 0;
    std::span<const FieldChoice> choices = {}; // integers: the only accepted values
    bool readOnly = false;                     // replaced at every start, never set by name
    bool secret = false;                       // a password, masked when every field is listed
};

// Bytes the program never interprets; they are written back as read.
struct ReservedArea {
    std::size_t offset;
    std::size_t size;
};

// The 16-bit little-endian copy of ftpPort lies in bytes 966-967, the first
// two bytes of what older files keep as reserved (and zero).
inline constexpr std::size_t kFtpPortWideOffset = 966;
inline constexpr std::size_t kFtpPortWideSize = 2;

// Every field, in file order.
std::span<const ConfigField> configFields();
// Every reserved area, in file order.
std::span<const ReservedArea> reservedAreas();
// The field of that name, or nullptr.
const ConfigField* findConfigField(std::string_view name);

// Bytes one element of the field takes at its offset in the file.
std::size_t elementWidth(const ConfigField& field);

} // namespace bv::app
