#include "cli/image_command.h"

#include <charconv>
#include <functional>

#include "app/base/event_log.h"
#include "cli/command_line.h"
#include "cli/command_station.h"
#include "images/archive_graphs.h"
#include "images/current_images.h"
#include "images/image_file.h"
#include "platform/linux/system_clock.h"
#include "units/regional_settings.h"

namespace bv::cli {
namespace {

constexpr std::string_view kAll = "all";

// The image numbers one argument selects: "all" or a single number below count.
std::optional<std::vector<int>> selectedImages(const std::vector<std::string>& args, int count)
{
    if (args.size() != 1)
        return std::nullopt;
    std::vector<int> numbers;
    if (args[0] == kAll) {
        for (int i = 0; i < count; ++i)
            numbers.push_back(i);
        return numbers;
    }
    int number = 0;
    const char* end = args[0].data() + args[0].size();
    const auto [stop, error] = std::from_chars(args[0].data(), end, number);
    if (error != std::errc() || stop != end || number < 0 || number >= count)
        return std::nullopt;
    return std::vector<int>{number};
}

// Makes each numbered image with make, printing paths and failures; the exit
// status of the whole run.
int makeImages(CommandContext& context, const std::vector<int>& numbers,
               const std::function<images::ImageResult(int)>& make,
               const std::function<void(const std::string&)>& logEvent)
{
    int status = kExitOk;
    for (const int number : numbers) {
        const images::ImageResult result = make(number);
        if (result.written()) {
            context.out << images::imagePath(context.stationDir, result.fileName).string() << '\n';
            continue;
        }
        context.err << "viraraz: " << result.message << '\n';
        logEvent(result.message);
        status = kExitFailure;
    }
    return status;
}

} // namespace

int runGraphCommand(CommandContext& context)
{
    const std::optional<std::vector<int>> numbers =
        selectedImages(context.args, images::kArchiveGraphCount);
    if (!numbers) {
        context.err << "usage: viraraz graph N|all  (N from 0 to 10)\n";
        return kExitUsage;
    }
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    const units::RegionalSettings regional = units::readRegionalSettings();
    platform::SystemClock clock;
    app::EventLog eventLog(context.stationDir, clock, regional);
    const images::GraphInputs inputs{context.stationDir, config, regional};
    return makeImages(
        context, *numbers, [&inputs](int index) { return images::makeArchiveGraph(index, inputs); },
        [&eventLog](const std::string& text) { eventLog.logEvent(text); });
}

int makeCurrentImages(CommandContext& context, PollEnvironment& environment)
{
    const std::optional<std::vector<int>> numbers =
        selectedImages(context.args, images::kCurrentImageCount);
    if (!numbers) {
        context.err << "usage: viraraz image N|all  (N from 0 to 11)\n";
        return kExitUsage;
    }
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    if (station::findStationModel(config.stationModel) == nullptr) {
        context.err << "viraraz: config.dat names no station model (" << int{config.stationModel}
                    << ")\n";
        return kExitFailure;
    }
    CommandStation reach(context, environment, config, environment.makeDevice);
    station::StationSession& session = reach.session();
    // The session has said why on stderr (and in event.log).
    if (session.pollCurrentConditions() != station::kDone) {
        session.close();
        return kExitFailure;
    }
    images::SessionMemory memory(session);
    const images::CurrentImageInputs inputs{context.stationDir, config, session.conditions(),
                                            memory};
    const int status = makeImages(
        context, *numbers, [&inputs](int index) { return images::makeCurrentImage(index, inputs); },
        [&reach](const std::string& text) { reach.eventLog().logEvent(text); });
    session.close();
    return status;
}

int runImageCommand(CommandContext& context)
{
    return runOnSystem(context, makeCurrentImages);
}

} // namespace bv::cli
