#pragma once

#include <ostream>
#include <string>

#include "platform/headless/headless_ui.h"

namespace bv::cli {

// The Ui of a viraraz command: status lines are its messages, "viraraz: "
// and the text on err, each once; a progress line is rewritten in place on
// a terminal.
class CommandUi : public platform::HeadlessUi {
  public:
    explicit CommandUi(std::ostream& err) : HeadlessUi(err), err_(err) {}

    void setStatusText(const std::string& text) override;
    // Rewrites the progress line ("\r" and the text).
    void showProgress(const std::string& text);
    // Ends a progress line that is showing.
    void endProgress();

  private:
    std::ostream& err_;
    std::string last_;
    bool progressShown_ = false;
    std::size_t progressWidth_ = 0; // of the longest progress text, blanked over
};

} // namespace bv::cli
