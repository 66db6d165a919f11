#pragma once

#include <functional>
#include <string_view>

namespace bv::paging {

// The pager status window as the user sees it: a small framed window in the
// middle of the main window with a status text and a Cancel button, shown
// while the queue is sent. The headless programs have none.
class PagerStatusView {
  public:
    virtual ~PagerStatusView() = default;
    // Shows the window with an empty text; its Cancel button calls cancel.
    virtual void openWindow(std::function<void()> cancel) = 0;
    virtual void showText(std::string_view text) = 0;
    virtual void closeWindow() = 0;
};

} // namespace bv::paging
