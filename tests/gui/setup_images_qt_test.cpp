#include <QAbstractButton>
#include <QDialog>
#include <gtest/gtest.h>

#include "app/base/dialog_host.h"
#include "gui/qt_ui.h"
#include "images/setup_images_dialog.h"
#include "qt_test_helpers.h"

namespace bv::guitest {
namespace {

// Setup Images in the Qt renderer: the hidden graph box stays hidden, a model
// without the sensors greys its boxes, and the buttons reach the logic.
TEST(SetupImagesQt, RendersTheBoxesAndStoresTheUsersChoice)
{
    gui::QtUi ui;
    app::DialogHost host{ui};
    app::ConfigRecord config;
    config.stationModel = 1; // Carrow III: no humidity, barometer, dew point or THI
    config.rainCollector = 1;
    later([] {
        QDialog* dialog = frontModal();
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->objectName(), "SETUP_IMAGES");
        snapshot(dialog, QStringLiteral("setup_images"));
        EXPECT_EQ(dialog->windowTitle(), "Setup Images");
        EXPECT_FALSE(controlOf(dialog, images::setup_images::kHiddenHistoryBox)->isVisible());
        EXPECT_FALSE(controlOf(dialog, 1168)->isEnabled()); // Outside Humidity
        clickButton(controlOf(dialog, images::setup_images::kSelectAllHistory));
        clickButton(controlOf(dialog, 1034)); // Blue
        clickButton(controlOf(dialog, platform::IdOk));
    });
    EXPECT_EQ(images::runSetupImagesDialog(host, config), platform::IdOk);
    EXPECT_TRUE(config.historyImages[10]);
    EXPECT_EQ(config.imageBackground, 4);
}

} // namespace
} // namespace bv::guitest
