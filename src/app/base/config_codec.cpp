#include "app/base/config_codec.h"

#include <algorithm>
#include <bit>
#include <string_view>
#include <type_traits>

#include "app/base/config_fields.h"

namespace bv::app {
namespace {

constexpr unsigned kBitsPerByte = 8;
constexpr std::uint8_t kUtf8ContinuationMask = 0xC0;
constexpr std::uint8_t kUtf8ContinuationBits = 0x80;

template <class U> U readLittleEndian(const ConfigImage& image, std::size_t at)
{
    U value = 0;
    for (std::size_t i = sizeof(U); i-- > 0;) {
        value = static_cast<U>((value << kBitsPerByte) | image[at + i]);
    }
    return value;
}

template <class U> void writeLittleEndian(ConfigImage& image, std::size_t at, U value)
{
    for (std::size_t i = 0; i < sizeof(U); ++i) {
        image[at + i] = static_cast<std::uint8_t>(value >> (kBitsPerByte * i));
    }
}

// The port an older program would use: the byte sign-extended to 16 bits.
std::uint16_t portFromByte(std::uint8_t low)
{
    return static_cast<std::uint16_t>(static_cast<std::int8_t>(low));
}

std::uint8_t lowByte(std::uint16_t value)
{
    return static_cast<std::uint8_t>(value);
}

// The wide copy counts only while its low byte matches the byte: a program
// that knows only the byte may have changed the port since.
std::uint16_t decodePort(const ConfigImage& image, std::size_t at)
{
    const std::uint8_t low = image[at];
    const auto wide = readLittleEndian<std::uint16_t>(image, kFtpPortWideOffset);
    return wide != 0 && lowByte(wide) == low ? wide : portFromByte(low);
}

// The wide copy is written only when the byte cannot carry the port, so a
// file whose port fits the byte keeps zeros there, as older files have.
void encodePort(ConfigImage& image, std::size_t at, std::uint16_t port)
{
    image[at] = lowByte(port);
    const std::uint16_t wide = portFromByte(lowByte(port)) == port ? 0 : port;
    writeLittleEndian(image, kFtpPortWideOffset, wide);
}

std::string decodeText(const ConfigImage& image, std::size_t at, std::size_t width)
{
    const auto* first = image.data() + at;
    const auto* end = std::find(first, first + width, 0);
    return {first, end};
}

// Length of the longest head of text that fits in limit bytes without
// splitting a UTF-8 sequence.
std::size_t fittingLength(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit) {
        return text.size();
    }
    std::size_t length = limit;
    while (length > 0 && (static_cast<std::uint8_t>(text[length]) & kUtf8ContinuationMask) ==
                             kUtf8ContinuationBits) {
        --length;
    }
    return length;
}

void encodeText(ConfigImage& image, std::size_t at, std::size_t width, std::string_view text)
{
    const std::size_t length = fittingLength(text, width - 1);
    std::copy_n(text.begin(), length, image.begin() + static_cast<std::ptrdiff_t>(at));
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(at + length), width - length, 0);
}

template <class T> T decodeElement(const ConfigImage& image, std::size_t at, std::size_t width)
{
    if constexpr (std::is_same_v<T, std::string>) {
        return decodeText(image, at, width);
    } else if constexpr (std::is_same_v<T, std::uint16_t>) {
        return decodePort(image, at);
    } else if constexpr (std::is_same_v<T, Flag>) {
        return Flag::fromRaw(image[at]);
    } else if constexpr (std::is_same_v<T, float>) {
        return std::bit_cast<float>(readLittleEndian<std::uint32_t>(image, at));
    } else {
        return static_cast<T>(readLittleEndian<std::make_unsigned_t<T>>(image, at));
    }
}

template <class T>
void encodeElement(ConfigImage& image, std::size_t at, std::size_t width, const T& value)
{
    if constexpr (std::is_same_v<T, std::string>) {
        encodeText(image, at, width, value);
    } else if constexpr (std::is_same_v<T, std::uint16_t>) {
        encodePort(image, at, value);
    } else if constexpr (std::is_same_v<T, Flag>) {
        image[at] = value.raw();
    } else if constexpr (std::is_same_v<T, float>) {
        writeLittleEndian(image, at, std::bit_cast<std::uint32_t>(value));
    } else {
        writeLittleEndian(image, at, static_cast<std::make_unsigned_t<T>>(value));
    }
}

void copyReservedAreas(const ConfigImage& from, ConfigImage& to)
{
    for (const ReservedArea& area : reservedAreas()) {
        const auto first = static_cast<std::ptrdiff_t>(area.offset);
        std::copy_n(from.begin() + first, area.size, to.begin() + first);
    }
}

} // namespace

ConfigRecord decodeConfig(const ConfigImage& image)
{
    ConfigRecord record;
    for (const ConfigField& field : configFields()) {
        const std::size_t width = elementWidth(field);
        std::visit(
            [&](auto access) {
                auto values = access(record);
                using T = typename decltype(values)::value_type;
                for (std::size_t i = 0; i < values.size(); ++i) {
                    values[i] = decodeElement<T>(image, field.offset + i * width, width);
                }
            },
            field.access);
    }
    copyReservedAreas(image, record.reservedBytes);
    return record;
}

ConfigImage encodeConfig(const ConfigRecord& record)
{
    // The accessors hand out spans over a mutable record.
    ConfigRecord source = record;
    ConfigImage image{};
    for (const ConfigField& field : configFields()) {
        const std::size_t width = elementWidth(field);
        std::visit(
            [&](auto access) {
                const auto values = access(source);
                for (std::size_t i = 0; i < values.size(); ++i) {
                    encodeElement(image, field.offset + i * width, width, values[i]);
                }
            },
            field.access);
    }
    copyReservedAreas(record.reservedBytes, image);
    return image;
}

} // namespace bv::app
