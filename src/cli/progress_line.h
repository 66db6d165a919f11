#pragma once

#include <ostream>
#include <string>

#include "platform/event_loop.h"

namespace bv::cli {

// A line on the terminal that says what a station command is doing, once it
// has taken more than a second: each show() replaces the text in place
// ("\r", the text, erase to the end of the line), and the line is erased when
// the object goes. Off a terminal nothing is written.
class ProgressLine {
  public:
    static constexpr int kDelayMs = 1000;

    ProgressLine(platform::EventLoop& loop, std::ostream& err, bool terminal);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void show(const std::string& text);
    // Erases the line for a message of its own; the next show() draws it again.
    void clear();

  private:
    void draw();

    platform::EventLoop& loop_;
    std::ostream& err_;
    bool terminal_;
    bool due_ = false;
    bool drawn_ = false;
    platform::TimerId timer_ = 0;
    std::string text_;
};

// Whether err is the process's standard error and that is a terminal.
bool isTerminal(const std::ostream& err);

} // namespace bv::cli
