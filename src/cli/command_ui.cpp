#include "cli/command_ui.h"

#include <algorithm>

namespace bv::cli {

void CommandUi::setStatusText(const std::string& text)
{
    endProgress();
    if (!text.empty() && text != last_)
        err_ << "viraraz: " << text << '\n';
    last_ = text;
}

void CommandUi::showProgress(const std::string& text)
{
    err_ << '\r' << text;
    if (text.size() < progressWidth_)
        err_ << std::string(progressWidth_ - text.size(), ' ');
    progressWidth_ = std::max(progressWidth_, text.size());
    err_ << std::flush;
    progressShown_ = true;
}

void CommandUi::endProgress()
{
    if (progressShown_)
        err_ << '\n';
    progressShown_ = false;
    progressWidth_ = 0;
}

} // namespace bv::cli
