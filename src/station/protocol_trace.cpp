#include "station/protocol_trace.h"

#include <charconv>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>

#include "platform/clock.h"

namespace bv::station {

namespace {

constexpr std::string_view kSentMark = ">";
constexpr std::string_view kReceivedMark = "<";

std::string hexBytes(std::span<const std::uint8_t> bytes)
{
    std::string text;
    char digits[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, " %02X", b);
        text += digits;
    }
    return text;
}

std::string lineFormat(const platform::LineSettings& s)
{
    const char parity = s.parity == platform::Parity::None   ? 'N'
                        : s.parity == platform::Parity::Even ? 'E'
                                                             : 'O';
    std::string text = std::to_string(s.baud) + " " + std::to_string(s.dataBits) + parity +
                       std::to_string(s.stopBits);
    if (s.rtsCtsHandshake)
        text += " rtscts";
    return text;
}

bool parseHex(std::istream& in, std::vector<std::uint8_t>& bytes)
{
    std::string word;
    while (in >> word) {
        if (word.size() != 2)
            return false;
        unsigned value = 0;
        const auto [end, error] =
            std::from_chars(word.data(), word.data() + word.size(), value, 16);
        if (error != std::errc{} || end != word.data() + word.size())
            return false;
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return true;
}

} // namespace

ProtocolTrace::ProtocolTrace(std::ostream& out, const platform::Clock& clock)
    : out_(out), clock_(clock)
{
}

ProtocolTrace::~ProtocolTrace()
{
    flush();
}

void ProtocolTrace::line(const std::string& text)
{
    flush();
    out_ << clock_.monotonicMs() << ' ' << text << '\n';
    out_.flush();
}

void ProtocolTrace::flush()
{
    if (receivedBytes_.empty())
        return;
    out_ << receivedSinceMs_ << ' ' << kReceivedMark << hexBytes(receivedBytes_) << '\n';
    out_.flush();
    receivedBytes_.clear();
}

void ProtocolTrace::opened(const std::string& path, const platform::LineSettings& settings,
                           int error)
{
    std::string text = "open " + path + " " + lineFormat(settings);
    if (error != 0)
        text += " failed " + std::to_string(error);
    line(text);
}

void ProtocolTrace::closed(int error)
{
    line(error == 0 ? std::string("close") : "close failed " + std::to_string(error));
}

void ProtocolTrace::wrote(std::span<const std::uint8_t> bytes, int error)
{
    std::string text = std::string(kSentMark) + hexBytes(bytes);
    if (error != 0)
        text += " failed " + std::to_string(error);
    line(text);
}

void ProtocolTrace::received(const platform::ReadResult& result)
{
    switch (result.status) {
    case platform::ReadStatus::Byte:
        if (receivedBytes_.empty())
            receivedSinceMs_ = clock_.monotonicMs();
        receivedBytes_.push_back(result.byte);
        break;
    case platform::ReadStatus::Timeout:
        line("timeout");
        break;
    case platform::ReadStatus::LineError:
        line("line-error");
        break;
    case platform::ReadStatus::Failed:
        line("read-failed " + std::to_string(result.errorCode));
        break;
    }
}

TracingSerialDevice::TracingSerialDevice(std::unique_ptr<platform::SerialDevice> inner,
                                         ProtocolTrace& trace)
    : inner_(std::move(inner)), trace_(trace)
{
}

int TracingSerialDevice::open(const std::string& path, const platform::LineSettings& settings)
{
    const int error = inner_->open(path, settings);
    trace_.opened(path, settings, error);
    return error;
}

int TracingSerialDevice::close()
{
    const int error = inner_->close();
    trace_.closed(error);
    return error;
}

platform::ReadResult TracingSerialDevice::readByte(int timeoutMs)
{
    const platform::ReadResult result = inner_->readByte(timeoutMs);
    trace_.received(result);
    return result;
}

int TracingSerialDevice::write(const std::uint8_t* data, std::size_t size)
{
    const int error = inner_->write(data, size);
    trace_.wrote({data, size}, error);
    return error;
}

SerialDeviceFactory tracedDeviceFactory(SerialDeviceFactory inner, ProtocolTrace& trace)
{
    return [inner = std::move(inner), &trace]() -> std::unique_ptr<platform::SerialDevice> {
        std::unique_ptr<platform::SerialDevice> device = inner();
        if (!device)
            return nullptr;
        return std::make_unique<TracingSerialDevice>(std::move(device), trace);
    };
}

std::vector<TraceEvent> parseProtocolTrace(std::istream& in)
{
    using Kind = TraceEvent::Kind;
    std::vector<TraceEvent> events;
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream fields(text);
        TraceEvent event;
        std::string word;
        if (!(fields >> event.ms >> word))
            continue;
        if (word == kSentMark || word == kReceivedMark) {
            event.kind = word == kSentMark ? Kind::Sent : Kind::Received;
            if (!parseHex(fields, event.bytes) || event.bytes.empty())
                continue;
        } else if (word == "open") {
            event.kind = Kind::Open;
        } else if (word == "close") {
            event.kind = Kind::Close;
        } else if (word == "timeout") {
            event.kind = Kind::Timeout;
        } else if (word == "line-error") {
            event.kind = Kind::LineError;
        } else if (word == "read-failed") {
            event.kind = Kind::ReadFailed;
        } else {
            continue;
        }
        events.push_back(std::move(event));
    }
    return events;
}

} // namespace bv::station
