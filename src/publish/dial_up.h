#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/base/config_record.h"

namespace bv::app {
class EventLog;
}
namespace bv::platform {
class EventLoop;
}

namespace bv::publish {

// What bringing up the Internet connection came to.
enum class DialResult {
    Connected,     // dialled, or a connection was already up
    Failed,        // cancelled, busy on the last attempt, or failed (logged)
    UnusableEntry, // the entry name holds no letter or digit (logged)
};

// The dial-up networking of the program, used by the connect step of the
// transfer cycle, the Dial and Hang up commands and the Internet dialog.
class DialUp {
  public:
    virtual ~DialUp() = default;
    // The phonebook entries the Internet dialog offers.
    virtual std::vector<std::string> phonebookEntries() const = 0;
    // Connects the configured entry (dialupEntry, dialupUser, dialupPassword,
    // dialAttempts, dialRetryWaitSec).
    virtual DialResult dialUp(const app::ConfigRecord& config) = 0;
    // Hangs up this program's connection; false when that failed.
    virtual bool hangUp(const app::ConfigRecord& config) = 0;
    // A dial-up connection is up: this program's, one of the entry made
    // elsewhere, or any other (which hangUp cannot end).
    virtual bool connectionActive(const app::ConfigRecord& config) = 0;
};

// `hollit1` has no dial-up networking: dialing succeeds at once, the
// phonebook is empty, and hanging up closes the station link instead (which
// also ends a telephone connection to the station).
class WithoutDialUp final : public DialUp {
  public:
    explicit WithoutDialUp(std::function<void()> closeStationLink)
        : closeStationLink_(std::move(closeStationLink))
    {
    }
    std::vector<std::string> phonebookEntries() const override { return {}; }
    DialResult dialUp(const app::ConfigRecord&) override { return DialResult::Connected; }
    bool hangUp(const app::ConfigRecord&) override;
    bool connectionActive(const app::ConfigRecord&) override { return false; }

  private:
    std::function<void()> closeStationLink_;
};

// The operating system's dialer as `hollit` drives it.
class Dialer {
  public:
    virtual ~Dialer() = default;
    virtual std::vector<std::string> phonebookEntries() const = 0;
    // A connection of the entry, or any other connection, is up.
    virtual bool connectionActive(const std::string& entry) = 0;
    // Runs the dialing dialog: 1 connected, -1 cancelled or busy on the last
    // attempt, -2 failed; any other number is a dialer fault.
    virtual int runDial(const app::ConfigRecord& config) = 0;
    // Hangs up this program's connection, else the entry's link.
    virtual bool hangUp(const std::string& entry) = 0;
};

// `hollit`: dials through a Dialer, logging the outcome, and pausing three
// seconds (with the program running on) after a cancelled or failed dial.
class DialerDialUp final : public DialUp {
  public:
    DialerDialUp(Dialer& dialer, app::EventLog& log, platform::EventLoop& loop)
        : dialer_(dialer), log_(log), loop_(loop)
    {
    }
    std::vector<std::string> phonebookEntries() const override;
    DialResult dialUp(const app::ConfigRecord& config) override;
    bool hangUp(const app::ConfigRecord& config) override;
    bool connectionActive(const app::ConfigRecord& config) override
    {
        return dialer_.connectionActive(config.dialupEntry);
    }

  private:
    Dialer& dialer_;
    app::EventLog& log_;
    platform::EventLoop& loop_;
};

} // namespace bv::publish
