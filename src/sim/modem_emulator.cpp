#include "sim/modem_emulator.h"

#include <cctype>
#include <limits>

namespace bv::sim {

namespace {

constexpr std::uint8_t kCarriageReturn = 0x0D;
constexpr std::uint8_t kLineFeed = 0x0A;
constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
constexpr std::string_view kDialPauses = ",W@!;";

struct ResultText {
    const char* words;
    int code;
};

// Verbose words and numeric codes of the results.
constexpr ResultText kResults[] = {
    {"OK", 0},          {"CONNECT", 1}, {"NO CARRIER", 3}, {"ERROR", 4},
    {"NO DIALTONE", 6}, {"BUSY", 7},    {"NO ANSWER", 8},
};

int connectCode(std::string_view text)
{
    if (text.ends_with("2400"))
        return 10;
    if (text.ends_with("1200"))
        return 5;
    return 1;
}

std::string upper(std::string_view s)
{
    std::string u;
    for (char c : s)
        u += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

int readNumber(std::string_view s, std::size_t& pos)
{
    int v = 0;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])) != 0)
        v = v * 10 + (s[pos++] - '0');
    return v;
}

} // namespace

void ModemEmulator::onOpen(const platform::LineSettings&)
{
    state_ = State::Command;
    stateChangeMs_ = kNever;
    line_.clear();
    onHook();
}

void ModemEmulator::dropCarrier(LineOutput& out)
{
    state_ = State::Command;
    stateChangeMs_ = kNever;
    report(Result::NoCarrier, out);
}

ModemEmulator::Phase ModemEmulator::phaseAt(std::int64_t nowMs) const
{
    Phase p{state_, stateChangeMs_, stateAfterChange_, false};
    while (p.state != State::Command && nowMs >= p.changeMs) {
        p.carrierDropped = p.state == State::Online;
        p.state = p.after;
        if (p.state == State::Online) {
            p.changeMs = carrierLostAfterMs_ >= 0 ? p.changeMs + carrierLostAfterMs_ : kNever;
            p.after = State::Command;
        }
    }
    return p;
}

bool ModemEmulator::online(std::int64_t nowMs) const
{
    return phaseAt(nowMs).state == State::Online;
}

void ModemEmulator::onBytes(std::span<const std::uint8_t> bytes, LineOutput& out)
{
    const Phase p = phaseAt(out.nowMs());
    state_ = p.state;
    stateChangeMs_ = p.changeMs;
    stateAfterChange_ = p.after;
    if (p.carrierDropped)
        report(Result::NoCarrier, out);
    if (state_ == State::Online) {
        if (remote_ != nullptr)
            remote_->onBytes(bytes, out);
        return;
    }
    if (state_ == State::Dialing)
        return; // a modem busy dialling ignores the line
    for (std::uint8_t b : bytes)
        onCommandByte(b, out);
}

void ModemEmulator::onCommandByte(std::uint8_t byte, LineOutput& out)
{
    if (echo_)
        out.send(std::span(&byte, 1));
    if (byte == kLineFeed)
        return;
    if (byte != kCarriageReturn) {
        line_ += static_cast<char>(byte);
        return;
    }
    std::string line;
    line.swap(line_);
    runLine(line, out);
}

void ModemEmulator::runLine(const std::string& line, LineOutput& out)
{
    const std::string s = upper(line);
    std::size_t pos = s.find_first_not_of(' ');
    if (pos == std::string::npos || s.compare(pos, 2, "AT") != 0)
        return;
    commandLines_.push_back(line);
    pos += 2;
    while (pos < s.size()) {
        const char c = s[pos++];
        if (c == ' ')
            continue;
        if (c == 'D') {
            if (!dial(s, pos, out))
                return;
            if (s.compare(pos, 2, "AT") == 0)
                pos += 2;
            continue;
        }
        if (c == '&') {
            if (pos < s.size() && s[pos++] == 'F')
                restoreDefaults();
            readNumber(s, pos);
            continue;
        }
        if (c == 'S') {
            readNumber(s, pos);
            if (pos < s.size() && (s[pos] == '=' || s[pos] == '?'))
                ++pos;
            readNumber(s, pos);
            continue;
        }
        if (std::isalpha(static_cast<unsigned char>(c)) == 0) {
            report(Result::Error, out);
            return;
        }
        const int arg = readNumber(s, pos);
        switch (c) {
        case 'E':
            echo_ = arg == 1;
            break;
        case 'V':
            verbose_ = arg == 1;
            break;
        case 'Q':
            quiet_ = arg == 1;
            break;
        case 'Z':
            restoreDefaults();
            break;
        case 'H':
            onHook(); // ends a call kept up by a dial ending in ';'
            break;
        default:
            break; // X, M, L ...: accepted
        }
    }
    report(Result::Ok, out);
}

bool ModemEmulator::dial(std::string_view rest, std::size_t& pos, LineOutput& out)
{
    DialRecord record;
    record.lineMs = out.nowMs();
    while (pos < rest.size()) {
        const char c = rest[pos++];
        if (c == 'T' || c == 'P') {
            record.pulse = c == 'P';
            continue;
        }
        if (c == ';') {
            record.staysInCommandMode = true;
            break;
        }
        record.dialString += c;
    }
    record.number = record.dialString.substr(0, record.dialString.find_first_of(kDialPauses));
    dials_.push_back(record);
    onDial(record, out);
    if (record.staysInCommandMode)
        return true;

    DialOutcome outcome; // a plain CONNECT once the script has run out
    if (!script_.empty()) {
        outcome = script_.front();
        script_.pop_front();
    }
    state_ = State::Dialing;
    stateChangeMs_ = out.nowMs() + outcome.afterMs;
    stateAfterChange_ = State::Command;
    switch (outcome.result) {
    case DialResult::Connect:
        report(Result::Connect, out, outcome.afterMs, outcome.connectText);
        stateAfterChange_ = State::Online;
        break;
    case DialResult::Busy:
        report(Result::Busy, out, outcome.afterMs);
        break;
    case DialResult::NoCarrier:
        report(Result::NoCarrier, out, outcome.afterMs);
        break;
    case DialResult::NoDialtone:
        report(Result::NoDialtone, out, outcome.afterMs);
        break;
    case DialResult::NoAnswer:
        report(Result::NoAnswer, out, outcome.afterMs);
        break;
    case DialResult::Silence:
        break;
    }
    carrierLostAfterMs_ = outcome.carrierLostAfterMs;
    return false;
}

void ModemEmulator::report(Result result, LineOutput& out, int delayMs,
                           std::string_view connectText)
{
    if (quiet_)
        return;
    const ResultText& r = kResults[static_cast<int>(result)];
    std::string text;
    if (verbose_)
        text = "\r\n" + std::string(result == Result::Connect ? connectText : r.words) + "\r\n";
    else
        text = std::to_string(result == Result::Connect ? connectCode(connectText) : r.code) + "\r";
    out.send(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), delayMs);
}

void ModemEmulator::restoreDefaults()
{
    echo_ = true;
    verbose_ = true;
    quiet_ = false;
}

} // namespace bv::sim
