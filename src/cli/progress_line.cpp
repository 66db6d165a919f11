#include "cli/progress_line.h"

#include <unistd.h>

#include <iostream>

namespace bv::cli {

namespace {
constexpr std::string_view kEraseLine = "\r\033[K";
} // namespace

ProgressLine::ProgressLine(platform::EventLoop& loop, std::ostream& err, bool terminal)
    : loop_(loop), err_(err), terminal_(terminal)
{
    if (terminal_) {
        timer_ = loop_.startTimer(kDelayMs, [this] {
            loop_.stopTimer(timer_);
            timer_ = 0;
            due_ = true;
            draw();
        });
    }
}

ProgressLine::~ProgressLine()
{
    if (timer_ != 0)
        loop_.stopTimer(timer_);
    if (drawn_)
        err_ << kEraseLine << std::flush;
}

void ProgressLine::show(const std::string& text)
{
    text_ = text;
    draw();
}

void ProgressLine::clear()
{
    if (drawn_)
        err_ << kEraseLine << std::flush;
    drawn_ = false;
}

void ProgressLine::draw()
{
    if (!due_ || text_.empty())
        return;
    err_ << kEraseLine << "viraraz: " << text_ << std::flush;
    drawn_ = true;
}

bool isTerminal(const std::ostream& err)
{
    return &err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
}

} // namespace bv::cli
