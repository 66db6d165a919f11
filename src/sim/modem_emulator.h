#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "sim/line_peer.h"

namespace bv::sim {

enum class DialResult { Connect, Busy, NoCarrier, NoDialtone, NoAnswer, Silence };

// How one call goes.
struct DialOutcome {
    DialResult result = DialResult::Connect;
    int afterMs = 10000; // from the end of the dial command to the result
    std::string connectText = "CONNECT 2400";
    int carrierLostAfterMs = -1; // after connecting; -1 = the call stays up
};

struct DialRecord {
    std::string dialString;          // what followed "D", dial modifiers T and P removed
    std::string number;              // the dialled digits before the first pause, wait or ';'
    bool pulse = false;              // "ATDP" or a P modifier
    bool staysInCommandMode = false; // the string ended in ';'
    std::int64_t lineMs = 0;
};

// A Hayes-style modem on the serial line. In command mode it echoes (until
// E0), answers each AT command line with a result in words (V1) or digits
// (V0), or nothing (Q1), and records every line. A dial command takes the next
// scripted outcome (CONNECT by default); once connected every byte passes
// both ways between the program and the remote peer, the station behind the
// far modem. A new open of the line drops DTR and so hangs up; so does a
// scripted loss of carrier, reported as NO CARRIER. The "+++" escape is not
// emulated: the program hangs up by closing the port.
//
// Subclasses (a paging service) watch dials through onDial() and hang-ups
// through onHook(), and end a call from the far side with dropCarrier().
class ModemEmulator : public LinePeer {
  public:
    explicit ModemEmulator(LinePeer* remote = nullptr) : remote_(remote) {}

    // Outcomes for the next dials, in order; then a plain CONNECT.
    void scriptDial(const DialOutcome& outcome) { script_.push_back(outcome); }

    void onOpen(const platform::LineSettings& settings) override;
    void onBytes(std::span<const std::uint8_t> bytes, LineOutput& out) override;

    const std::vector<std::string>& commandLines() const { return commandLines_; }
    const std::vector<DialRecord>& dials() const { return dials_; }
    bool online(std::int64_t nowMs) const;
    bool echoOn() const { return echo_; }

  protected:
    virtual void onDial(const DialRecord& dial, LineOutput& out)
    {
        (void)dial;
        (void)out;
    }
    // ATH, or a new open of the line (DTR dropped).
    virtual void onHook() {}
    // The remote hung up: NO CARRIER, and the modem is back in command mode.
    void dropCarrier(LineOutput& out);

  private:
    enum class State { Command, Dialing, Online };
    enum class Result { Ok, Connect, NoCarrier, Error, NoDialtone, Busy, NoAnswer };

    struct Phase {
        State state;
        std::int64_t changeMs;
        State after;
        bool carrierDropped; // the call ended on the way
    };
    // Where the scripted call stands at nowMs.
    Phase phaseAt(std::int64_t nowMs) const;
    void onCommandByte(std::uint8_t byte, LineOutput& out);
    void runLine(const std::string& line, LineOutput& out);
    // Returns false when the rest of the line is a dial that started a call.
    bool dial(std::string_view rest, std::size_t& pos, LineOutput& out);
    void report(Result result, LineOutput& out, int delayMs = 0, std::string_view connectText = {});
    void restoreDefaults();

    LinePeer* remote_;
    std::deque<DialOutcome> script_;
    State state_ = State::Command;
    std::int64_t stateChangeMs_ = 0; // when a dial ends (Dialing) or the carrier drops (Online)
    State stateAfterChange_ = State::Command;
    int carrierLostAfterMs_ = -1;
    std::string line_;
    bool echo_ = true;
    bool verbose_ = true;
    bool quiet_ = false;
    std::vector<std::string> commandLines_;
    std::vector<DialRecord> dials_;
};

} // namespace bv::sim
