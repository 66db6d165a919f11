#include "recording_output.h"

#include <algorithm>

#include "sim/xmodem_crc.h"

namespace bv::sim::test {

void RecordingOutput::send(std::span<const std::uint8_t> bytes, int delayMs)
{
    std::int64_t at = now + delayMs;
    if (!sent.empty())
        at = std::max(at, sent.back().atMs);
    for (std::uint8_t b : bytes)
        sent.push_back({at, b});
}

std::vector<std::uint8_t> RecordingOutput::take()
{
    std::vector<std::uint8_t> bytes;
    for (const Byte& b : sent)
        bytes.push_back(b.value);
    sent.clear();
    return bytes;
}

std::string RecordingOutput::takeText()
{
    const auto bytes = take();
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> exchange(LinePeer& peer, RecordingOutput& out,
                                   const std::vector<std::uint8_t>& bytes)
{
    peer.onBytes(bytes, out);
    return out.take();
}

std::vector<std::uint8_t> frameCommand(const std::string& word,
                                       const std::vector<std::uint8_t>& args, bool commandCrc)
{
    std::vector<std::uint8_t> body(word.begin(), word.end());
    body.insert(body.end(), args.begin(), args.end());
    body.push_back(0x0D);
    if (!commandCrc)
        return body;
    const std::uint16_t crc = xmodemCrc(body);
    std::vector<std::uint8_t> framed{static_cast<std::uint8_t>(crc & 0xFF),
                                     static_cast<std::uint8_t>(crc >> 8)};
    framed.insert(framed.end(), body.begin(), body.end());
    return framed;
}

std::uint16_t le16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

std::int16_t le16s(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::int16_t>(le16(bytes, at));
}

std::uint32_t le24(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(le16(bytes, at)) |
           static_cast<std::uint32_t>(bytes.at(at + 2)) << 16;
}

} // namespace bv::sim::test
