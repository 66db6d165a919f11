#include "app/base/settings_dialog_launcher.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "app/base/dialog.h"
#include "app/base/dialog_host.h"
#include "support/scripted_ui.h"

namespace bv::app {
namespace {

using platform::IdCancel;
using platform::IdOk;
using testsupport::FakeDialogView;
using testsupport::ScriptedUi;

// A settings dialog that ends with the command it is given.
class SettingsDialog : public Dialog {
  public:
    SettingsDialog() : Dialog(makeTemplate()) {}

  private:
    static platform::DialogTemplate makeTemplate()
    {
        platform::DialogTemplate t;
        t.name = "SETUP_STATION";
        t.controls = {testsupport::controlSpec(IdOk, platform::ControlKind::PushButton),
                      testsupport::controlSpec(IdCancel, platform::ControlKind::PushButton)};
        return t;
    }
    void handleOpen(platform::DialogView&) override {}
    void handleCommand(platform::DialogView& view, int id, platform::Notification) override
    {
        end(view, id);
    }
};

TEST(SettingsDialogLauncher, ClosesTheGateWhileOpenSavesUnlessCancelledAndReopensOnlyAnOpenGate)
{
    struct Case {
        bool gateBefore;
        int button;
        bool saved;
    };
    const Case cases[] = {
        {true, IdOk, true},
        {true, IdCancel, false},
        {false, IdOk, true}, // transfers disabled by the user stay disabled
        {false, IdCancel, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "gate " << c.gateBefore << ", button " << c.button);
        ScriptedUi ui;
        DialogHost host(ui);
        AutoTaskGate gate;
        gate.setHeld(GateHolder::User, !c.gateBefore);
        SettingsDialogLauncher launcher(host, gate);
        SettingsDialog dialog;
        bool gateWhileOpen = true;
        ui.onDialog("SETUP_STATION", [&](FakeDialogView& v) {
            gateWhileOpen = gate.allowed();
            v.click(c.button);
        });
        int saves = 0;
        bool gateWhileSaving = false;
        const int result = launcher.runAndSave(dialog, [&] {
            ++saves;
            gateWhileSaving = gate.allowed();
        });
        EXPECT_EQ(result, c.button);
        EXPECT_FALSE(gateWhileOpen);
        EXPECT_EQ(saves, c.saved ? 1 : 0);
        EXPECT_FALSE(gateWhileSaving);
        EXPECT_EQ(gate.allowed(), c.gateBefore);
    }
}

TEST(SettingsDialogLauncher, RunWithoutSaveRestoresTheGateToo)
{
    ScriptedUi ui;
    DialogHost host(ui);
    AutoTaskGate gate;
    SettingsDialogLauncher launcher(host, gate);
    SettingsDialog dialog;
    ui.onDialog("SETUP_STATION", [&](FakeDialogView& v) {
        EXPECT_FALSE(gate.allowed());
        v.click(IdOk);
    });
    EXPECT_EQ(launcher.run(dialog), IdOk);
    EXPECT_TRUE(gate.allowed());
}

TEST(SettingsDialogLauncher, AFailingSaveStillReopensTheGate)
{
    ScriptedUi ui;
    DialogHost host(ui);
    AutoTaskGate gate;
    SettingsDialogLauncher launcher(host, gate);
    SettingsDialog dialog;
    ui.onDialog("SETUP_STATION", [](FakeDialogView& v) { v.click(IdOk); });
    EXPECT_THROW(launcher.runAndSave(dialog, [] { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
    EXPECT_TRUE(gate.allowed());
    EXPECT_TRUE(host.openDialogs().empty());
}

} // namespace
} // namespace bv::app
