#pragma once

#include "app/base/dialog.h"

namespace bv::app {

class DialogHost;

// The About box ("ABOUT", "About BrisvaneViraraz"): yellow text on blue beside
// the logo. A double click on the logo or the first line turns to the credits
// page, and the next one turns back.
namespace about_dialog {
inline constexpr int kBlue = 0x0000FF;
inline constexpr int kYellow = 0xFFFF00;
inline constexpr int kLogo = 1066;
inline constexpr int kLines[3] = {1063, 1064, 1065};
} // namespace about_dialog

class AboutBox final : public Dialog {
  public:
    AboutBox();
    int page() const { return page_; }

  protected:
    void handleOpen(platform::DialogView& view) override;
    void handleCommand(platform::DialogView& view, int id, platform::Notification what) override;

  private:
    void showPage(platform::DialogView& view);

    int page_ = 0;
};

// Help > About.
int runAboutBox(DialogHost& host);

} // namespace bv::app
