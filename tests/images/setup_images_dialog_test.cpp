#include <gtest/gtest.h>

#include "app/base/dialog_host.h"
#include "images/setup_images_dialog.h"
#include "support/fake_dialog_view.h"
#include "support/scripted_ui.h"

namespace bv::images {
namespace {

using namespace setup_images;
using testsupport::FakeDialogView;

constexpr int kInsideTempBox = 1165;
constexpr int kOutsideTempBox = 1166;
constexpr int kInsideHumBox = 1167;
constexpr int kWindDirectionBox = 1176;
constexpr int kWindRunBox = 1191;
constexpr int kGreen = 1218;
constexpr int kTransparent = 1178;
constexpr int kGrey = 1037;

class SetupImagesTest : public ::testing::Test {
  protected:
    int runWith(testsupport::ScriptedUi::DialogScript script)
    {
        ui.onDialog("SETUP_IMAGES", std::move(script));
        return runSetupImagesDialog(host, config);
    }

    testsupport::ScriptedUi ui;
    app::DialogHost host{ui};
    app::ConfigRecord config;
};

TEST_F(SetupImagesTest, OpensFromTheConfigurationAndDisablesWhatTheModelCannotFill)
{
    config.currentImages[1] = true;
    config.historyImages[10] = true;
    config.imageBackground = 7;
    config.imageHighsLows = true;
    config.stationModel = 2; // Carrow II
    config.rainCollector = 0;
    runWith([](FakeDialogView& v) {
        EXPECT_EQ(v.dialogTemplate().title, "Setup Images");
        EXPECT_TRUE(v.checked(kOutsideTempBox));
        EXPECT_FALSE(v.checked(kInsideTempBox));
        EXPECT_TRUE(v.checked(kWindRunBox));
        EXPECT_TRUE(v.checked(kGreen));
        EXPECT_TRUE(v.checked(kUseHighsLows));
        EXPECT_FALSE(v.visible(kHiddenHistoryBox));
        // Humidity, barometer, dew point, THI, wind direction; rain without a collector.
        for (const int image : {2, 3, 4, 6, 7, 8, 10, 11})
            EXPECT_FALSE(v.enabled(kFirstCurrentBox + image)) << image;
        for (const int image : {0, 1, 5, 9})
            EXPECT_TRUE(v.enabled(kFirstCurrentBox + image)) << image;
        v.click(platform::IdCancel);
    });

    config.stationModel = 5; // Tirrel E
    runWith([](FakeDialogView& v) {
        EXPECT_EQ(v.text(kInsideTempBox), "Soil Temp");
        EXPECT_EQ(v.text(kInsideHumBox), "Daily ET");
        EXPECT_EQ(v.text(kFirstHistoryBox), "Soil Temp");
        EXPECT_EQ(v.text(kFirstHistoryBox + 2), "Daily ET");
        v.click(platform::IdCancel);
    });
}

TEST_F(SetupImagesTest, OkStoresTheBoxesAndClearsWhatTheModelCannotFill)
{
    config.stationModel = 0;
    config.rainCollector = 1;
    EXPECT_EQ(runWith([](FakeDialogView& v) {
                  v.click(kSelectAllCurrent);
                  v.click(kSelectAllHistory);
                  v.click(kGrey);
                  v.click(kUseHighsLows);
                  v.click(platform::IdOk);
              }),
              platform::IdOk);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_TRUE(config.currentImages[i]) << i;
    for (std::size_t i = 0; i < 11; ++i)
        EXPECT_TRUE(config.historyImages[i]) << i;
    EXPECT_EQ(config.imageBackground, 5);
    EXPECT_TRUE(config.imageHighsLows);

    // Lunett: the earlier Outside Temp and Wind Direction ticks go on OK.
    config.stationModel = 3;
    runWith([](FakeDialogView& v) {
        EXPECT_FALSE(v.enabled(kOutsideTempBox));
        v.click(kTransparent);
        v.click(kClearAllHistory);
        v.click(platform::IdOk);
    });
    EXPECT_TRUE(config.currentImages[0]);
    EXPECT_FALSE(config.currentImages[1]);
    EXPECT_FALSE(config.currentImages[11]);
    EXPECT_FALSE(config.historyImages[0]);
    EXPECT_EQ(config.imageBackground, 1);
}

TEST_F(SetupImagesTest, CancelChangesNothing)
{
    const app::ConfigRecord before = config;
    EXPECT_EQ(runWith([](FakeDialogView& v) {
                  v.click(kSelectAllCurrent);
                  v.click(kWindDirectionBox);
                  v.click(kGrey);
                  v.click(platform::IdCancel);
              }),
              platform::IdCancel);
    EXPECT_EQ(config, before);
}

} // namespace
} // namespace bv::images
