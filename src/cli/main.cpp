#include <iostream>
#include <string>
#include <vector>

#include "cli/alarm_info_command.h"
#include "cli/command_line.h"
#include "cli/config_command.h"
#include "cli/detect_command.h"
#include "cli/dial_command.h"
#include "cli/download_command.h"
#include "cli/image_command.h"
#include "cli/page_command.h"
#include "cli/poll_command.h"
#include "cli/publish_command.h"
#include "cli/simulate_command.h"
#include "cli/station_settings_commands.h"
#include "cli/template_commands.h"

namespace {

// The subcommands of viraraz, one line each.
constexpr bv::cli::Command kCommands[] = {
    {"alarm-info", "", "write pager.inf from the alarm limits and alarm.dat and print it",
     bv::cli::runAlarmInfoCommand},
    {"archive-interval", "MINUTES",
     "set the station's archive interval (1, 5, 10, 15, 30, 60 or 120); clears its archive",
     bv::cli::runArchiveIntervalCommand},
    {"clear-archive", "", "empty the station's archive memory", bv::cli::runClearArchiveCommand},
    {"convert", "TEMPLATE", "print the page TEMPLATE gives with the station's current values",
     bv::cli::runConvertCommand},
    {"config", "show [--json] | get NAME | set NAME VALUE",
     "show the settings of config.dat, or read or change one by name", bv::cli::runConfigCommand},
    {"detect", "", "find a station on ports 1 to 10 and store its port, rate and model",
     bv::cli::runDetectCommand},
    {"dial", "", "connect the configured dial-up entry through pppd and stay while it is up",
     bv::cli::runDialCommand},
    {"download", "[--append|--replace] [--clear] [--trace FILE]",
     "download the station's archive into Download/<archiveFileName>, as the main program does",
     bv::cli::runDownloadCommand},
    {"graph", "N|all", "draw archive graph N (0 to 10) or every graph into Images/",
     bv::cli::runGraphCommand},
    {"hang-up", "", "end the configured dial-up entry's connection", bv::cli::runHangUpCommand},
    {"image", "N|all",
     "poll the station and draw current-weather image N (0 to 11) or every image into Images/",
     bv::cli::runImageCommand},
    {"page", "[--dry-run] [--weather] [--alarms]",
     "evaluate the alarms and the current-weather page against the station, print the queued "
     "pages and send them through the paging modem (--dry-run: print only)",
     bv::cli::runPageCommand},
    {"poll", "[--json] [--trace FILE]",
     "read the station's current conditions and memory values once", bv::cli::runPollCommand},
    {"publish", "", "run one whole transfer cycle: poll, convert, make images, deliver",
     bv::cli::runPublishCommand},
    {"set-time", "[YYYY-MM-DD HH:MM]",
     "set the station's clock to the date and time given, or to the PC's",
     bv::cli::runSetTimeCommand},
    {"simulate",
     "[--model NAME] [--port N] [--baud RATE] [--baud-pacing] [--seed S] [--archive-period MIN] "
     "[--history-hours H] [--modem N] [--start \"YYYY-MM-DD HH:MM\"]",
     "serve a simulated station on a pseudo-terminal linked as ports/COMn (--modem: and a paging "
     "service's modem on a second one linked as ports/COMN, for viraraz page)",
     bv::cli::runSimulateCommand},
    {"tags", "", "list every template marker of the station with its current value",
     bv::cli::runTagsCommand},
};

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    return bv::cli::runCommandLine(kCommands, words, std::cout, std::cerr);
}
