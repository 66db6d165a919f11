#include "app/shell/about_dialog.h"
#include "shell_dialog_fixture.h"

namespace bv::app::test {
namespace {

using namespace about_dialog;
using testsupport::FakeDialogView;

TEST_F(ShellDialogTest, AboutBoxIsYellowOnBlueWithTheLogo)
{
    ui.onDialog("ABOUT", [](FakeDialogView& v) {
        const platform::DialogTemplate& t = v.dialogTemplate();
        EXPECT_EQ(t.title, "About BrisvaneViraraz");
        EXPECT_EQ(t.backgroundColor, 0x0000FF);
        EXPECT_EQ(t.textColor, 0xFFFF00);
        ASSERT_NE(t.find(kLogo), nullptr);
        EXPECT_EQ(t.find(kLogo)->kind, platform::ControlKind::Picture);
        EXPECT_EQ(t.find(kLogo)->caption, "LOGO");
        EXPECT_EQ(captionOf(v, platform::IdOk), "&OK");
        v.click(platform::IdOk);
    });
    EXPECT_EQ(runAboutBox(host), platform::IdOk);
}

TEST_F(ShellDialogTest, AboutBoxTurnsToTheCreditsAndBackOnDoubleClicks)
{
    ui.onDialog("ABOUT", [](FakeDialogView& v) {
        const std::string first[3] = {v.text(kLines[0]), v.text(kLines[1]), v.text(kLines[2])};
        EXPECT_EQ(first[0], "Brisvane Viraraz");
        v.doubleClick(kLines[1]); // outside the top band: nothing
        EXPECT_EQ(v.text(kLines[1]), first[1]);
        v.doubleClick(kLogo);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NE(v.text(kLines[i]), first[i]) << i;
            EXPECT_FALSE(v.text(kLines[i]).empty()) << i;
        }
        v.doubleClick(kLines[0]);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(v.text(kLines[i]), first[i]) << i;
        v.sendCommand(platform::IdCancel);
    });
    EXPECT_EQ(runAboutBox(host), platform::IdCancel);
}

} // namespace
} // namespace bv::app::test
