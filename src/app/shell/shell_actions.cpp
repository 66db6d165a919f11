#include "app/shell/shell_actions.h"

#include "app/shell/about_dialog.h"
#include "app/shell/application.h"
#include "app/shell/archive_download_action.h"
#include "app/shell/command_table.h"
#include "app/shell/logger_schedule_dialog.h"
#include "app/shell/main_commands.h"
#include "app/shell/paging_feature.h"
#include "app/shell/range_dialog.h"
#include "app/shell/units_dialog.h"
#include "app/shell/walkthrough.h"
#include "images/setup_images_dialog.h"
#include "publish/data_dialog.h"
#include "publish/internet_dialog.h"
#include "publish/phonebook.h"
#include "station/archive_dialog.h"
#include "station/current_weather_dialog.h"
#include "station/set_time_dialog.h"
#include "station/station_setup_dialog.h"

namespace bv::app {

void addShellActions(MainCommands& commands, Application& app)
{
    commands.setAction(CmdStation, [&app] {
        station::runStationSetupDialog(
            app.settingsLauncher(), app.shell(), app.config(),
            [&app](const station::StationDetector::Offer& offer) {
                return app.station().detectStation(offer);
            },
            [&app] { app.saveConfiguration(); });
    });
    commands.setAction(CmdTime, [&app] {
        station::runSetTimeDialog(app.settingsLauncher(), app.shell(), app.station(),
                                  app.pcClock());
    });
    commands.setAction(CmdCurrentWeather, [&app] {
        station::runCurrentWeatherDialog(app.settingsLauncher(), app.shell(), app.station());
    });
    commands.setAction(CmdArchive, [&app] {
        station::runArchiveDialog(app.settingsLauncher(), app.shell(), app.config(), app.station());
    });
    commands.setAction(CmdUnits, [&app] {
        runUnitsDialog(app.settingsLauncher(), app.config(), app.station(),
                       [&app] { app.saveConfiguration(); });
    });
    commands.setAction(CmdInternet, [&app] {
        publish::InternetDialogServices services;
        services.dialUpAvailable = app.edition() == Edition::WithDialUp;
        if (services.dialUpAvailable)
            services.phonebookEntries = publish::listPhonebook(publish::kPeersDirectory);
        services.runRange = [&app](DayRange& range) {
            return runRangeDialog(app.dialogHost(), app.shell(), range);
        };
        services.save = [&app] { return app.saveConfiguration(); };
        publish::runInternetDialog(app.settingsLauncher(), app.shell(), app.config(),
                                   std::move(services));
    });
    commands.setAction(CmdData, [&app] {
        publish::DataDialogServices services;
        services.stationDir = app.stationDir();
        services.runSetupImages = [&app](ConfigRecord& config) {
            return images::runSetupImagesDialog(app.dialogHost(), config);
        };
        services.save = [&app] { return app.saveConfiguration(); };
        publish::runDataDialog(app.settingsLauncher(), app.shell(), app.config(),
                               std::move(services));
    });
    commands.setAction(CmdSchedule, [&app] {
        runScheduleDialog(app.settingsLauncher(), app.shell(), app.config(),
                          [&app] { app.saveConfiguration(); });
    });
    commands.setAction(CmdWalkthrough, [&app, &commands] {
        runWalkthrough(app.dialogHost(), app.shell(), app.gate(),
                       [&commands](int command) { commands.execute(command); });
    });
    addPagingCommands(commands, app);
    commands.setAction(CmdAbout, [&app] { runAboutBox(app.dialogHost()); });
    commands.setAction(CmdDownload, [&app] { downloadArchiveNow(app, DownloadView::Dialog); });
    plugArchiveDownload(app, DownloadView::Dialog);
}

} // namespace bv::app
