#include "app/shell/about_dialog.h"

#include <string_view>

#include "app/base/dialog_host.h"
#include "app/base/template_builder.h"

namespace bv::app {

using platform::ControlKind;
using namespace about_dialog;

namespace {

// The three lines of each page.
constexpr std::string_view kPages[2][3] = {
    {"Brisvane Viraraz", "Version " BV_VERSION " for Linux",
     "Weather pages, graphs and alarms from your own station."},
    {"Written by the Brisvane Viraraz developers.",
     "Gauges and graphs drawn with libgd, windows by Qt.",
     "Thanks to every station owner who sent us a trace."},
};

platform::DialogTemplate aboutTemplate()
{
    TemplateBuilder b("ABOUT", "About BrisvaneViraraz", 0);
    b.dialogTemplate().backgroundColor = kBlue;
    b.dialogTemplate().textColor = kYellow;
    b.add(kLogo, ControlKind::Picture, "LOGO", 0).rowSpan = 3;
    for (int line = 0; line < 3; ++line)
        b.add(kLines[line], ControlKind::StaticText, std::string(kPages[0][line]), line, 1);
    b.button(platform::IdOk, "&OK", 0).isDefault = true;
    return b.take();
}

} // namespace

AboutBox::AboutBox() : Dialog(aboutTemplate()) {}

void AboutBox::handleOpen(platform::DialogView& view)
{
    page_ = 0;
    showPage(view);
}

void AboutBox::handleCommand(platform::DialogView& view, int id, platform::Notification what)
{
    if (id == platform::IdOk || id == platform::IdCancel) {
        end(view, id);
    } else if (what == platform::Notification::DoubleClicked && (id == kLogo || id == kLines[0])) {
        page_ = 1 - page_;
        showPage(view);
    }
}

void AboutBox::showPage(platform::DialogView& view)
{
    for (int line = 0; line < 3; ++line)
        view.setText(kLines[line], std::string(kPages[page_][line]));
}

int runAboutBox(DialogHost& host)
{
    AboutBox box;
    return host.runModal(box);
}

} // namespace bv::app
