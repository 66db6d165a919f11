#pragma once

#include <string>
#include <string_view>

namespace bv::paging {

// The Telocator Alphanumeric Protocol as an alphanumeric paging service speaks it.
namespace tap {
inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;
inline constexpr char kEsc = 0x1B;
inline constexpr char kCr = 0x0D;
// The terminal refuses a block (a bad checksum, a line error) with NAK.
inline constexpr std::string_view kNak = "\x15";
// The service's receivers take at most this many characters from STX through ETX.
inline constexpr std::size_t kMaxBlockChars = 250;
// ESC "PG1" CR: the automatic login of a paging terminal.
inline constexpr std::string_view kLogin = "\x1bPG1\r";
} // namespace tap

// The checksum of the characters from STX through ETX: their sum, low 12
// bits, as three characters '0' + each nibble from the highest.
std::string tapChecksum(std::string_view text);

// STX, pager ID, CR, message, CR, ETX, checksum, CR. A message that would make
// STX..ETX longer than 250 characters is shortened, so a block always carries
// its checksum and the service never refuses it for its length.
std::string tapBlock(std::string_view pagerId, std::string_view message);

} // namespace bv::paging
