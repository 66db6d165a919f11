#pragma once

#include <functional>

#include <QFrame>

#include "paging/pager_status_view.h"

class QLabel;
class QPushButton;

namespace bv::gui {

// The pager status window: a framed child of the main window, 300 x 80, in
// its middle, with the sunken status text and "&Cancel". Hidden while no
// queue is being sent.
class PagerStatusWindow final : public QFrame, public paging::PagerStatusView {
  public:
    explicit PagerStatusWindow(QWidget* mainWindow);

    void openWindow(std::function<void()> cancel) override;
    void showText(std::string_view text) override;
    void closeWindow() override;

    QLabel* statusText() const { return text_; }
    QPushButton* cancelButton() const { return cancelButton_; }

  private:
    QLabel* text_;
    QPushButton* cancelButton_;
    std::function<void()> cancel_;
};

} // namespace bv::gui
