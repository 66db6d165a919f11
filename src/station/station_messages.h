#pragma once

#include <functional>
#include <string>

namespace bv::station {

// Appends a line to the event log.
using EventLogFn = std::function<void(const std::string& text)>;
// Puts a text on the main window's status line; the program's sink stamps it
// with the date and time (app::Shell::showStatus).
using StatusFn = std::function<void(const std::string& text)>;

// Where the station layer's messages go in unattended work: the status line
// and the event log. Either sink may be empty; its messages are then dropped.
struct StationMessages {
    StatusFn showStatus;
    EventLogFn logEvent;

    void status(const std::string& text) const
    {
        if (showStatus)
            showStatus(text);
    }
    void event(const std::string& text) const
    {
        if (logEvent)
            logEvent(text);
    }
    // Both: how a station problem reaches the user.
    void report(const std::string& text) const
    {
        status(text);
        event(text);
    }
};

} // namespace bv::station
