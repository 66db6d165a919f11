#include "cli/station_settings_commands.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <string>

#include "app/base/strings_shell.h"
#include "app/base/strings_station.h"
#include "cli/command_line.h"
#include "cli/command_station.h"
#include "cli/progress_line.h"
#include "station/archive_settings.h"
#include "station/station_session.h"
#include "station/station_time.h"

namespace bv::cli {

namespace {

constexpr std::string_view kSetTimeUsage = "usage: viraraz set-time [YYYY-MM-DD HH:MM]\n";
constexpr std::string_view kIntervalUsage =
    "usage: viraraz archive-interval MINUTES (1, 5, 10, 15, 30, 60 or 120)\n";
constexpr std::string_view kClearUsage = "usage: viraraz clear-archive\n";

using StationOperation =
    std::function<int(station::StationLink& link, const station::StationMessages& messages)>;

// Runs one operation through a station session of config.dat's settings.
// The session reports a port that does not open; the operation reports what
// the station did not take. 0 or 1 as the exit status.
int runOnStation(CommandContext& context, PollEnvironment& environment, const std::string& doing,
                 const StationOperation& operation)
{
    app::ConfigRecord config;
    if (!loadStationConfig(context, config))
        return kExitFailure;
    CommandStation station(context, environment, config, environment.makeDevice);
    ProgressLine progress(environment.loop, context.err, isTerminal(context.err));
    station.ui().setProgress(&progress);
    progress.show(doing);
    station::StationSession& session = station.session();
    const int result = session.runOperation(
        [&](station::StationLink& link) { return operation(link, session.messages()); });
    return result >= 0 ? kExitOk : kExitFailure;
}

void reportNoAnswer(const station::StationMessages& messages)
{
    messages.report(std::string(app::strings::kStationCommError.text));
}

// "YYYY-MM-DD HH:MM" as one or two words.
std::optional<station::StationTime> parseStationTime(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &year, &month, &day, &hour, &minute,
                    &end) != 5)
        return std::nullopt;
    const station::StationTime time{static_cast<std::int16_t>(year),
                                    static_cast<std::int16_t>(month),
                                    static_cast<std::int16_t>(day), static_cast<std::int16_t>(hour),
                                    static_cast<std::int16_t>(minute)};
    if (!station::isValidStationTime(time))
        return std::nullopt;
    return time;
}

} // namespace

int setStationTimeCommand(CommandContext& context, PollEnvironment& environment)
{
    std::optional<station::StationTime> time;
    if (context.args.empty()) {
        const platform::WallTime now = environment.clock.localTime();
        time = station::StationTime{
            static_cast<std::int16_t>(now.year), static_cast<std::int16_t>(now.month),
            static_cast<std::int16_t>(now.day), static_cast<std::int16_t>(now.hour),
            static_cast<std::int16_t>(now.minute)};
    } else {
        time = parseStationTime(context.args);
    }
    if (!time) {
        context.err << kSetTimeUsage;
        return kExitUsage;
    }
    return runOnStation(context, environment, "setting the station's clock",
                        [&time](station::StationLink& link, const auto& messages) {
                            const int result = station::setStationTime(link, *time);
                            if (result < 0)
                                reportNoAnswer(messages);
                            return result;
                        });
}

int setArchiveIntervalCommand(CommandContext& context, PollEnvironment& environment)
{
    int minutes = 0;
    const std::string word = context.args.size() == 1 ? context.args[0] : "";
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), minutes);
    if (word.empty() || ec != std::errc{} || ptr != word.data() + word.size() ||
        !station::findArchiveInterval(minutes)) {
        context.err << kIntervalUsage;
        return kExitUsage;
    }
    context.err << "viraraz: " << app::strings::kArchiveWillBeCleared << '\n';
    return runOnStation(context, environment, "setting the archive interval",
                        [minutes](station::StationLink& link, const auto& messages) {
                            const int result = station::setArchiveInterval(link, minutes);
                            if (result < 0)
                                reportNoAnswer(messages);
                            return result;
                        });
}

int clearArchiveCommand(CommandContext& context, PollEnvironment& environment)
{
    if (!context.args.empty()) {
        context.err << kClearUsage;
        return kExitUsage;
    }
    return runOnStation(context, environment, "clearing the archive memory",
                        [](station::StationLink& link, const auto& messages) {
                            const int result = station::clearArchiveMemory(link);
                            if (result < 0) {
                                messages.report(std::string(app::strings::kArchiveClearError));
                                reportNoAnswer(messages);
                            } else {
                                messages.report(std::string(app::strings::kArchiveCleared));
                            }
                            return result;
                        });
}

int runSetTimeCommand(CommandContext& context)
{
    return runOnSystem(context, setStationTimeCommand);
}

int runArchiveIntervalCommand(CommandContext& context)
{
    return runOnSystem(context, setArchiveIntervalCommand);
}

int runClearArchiveCommand(CommandContext& context)
{
    return runOnSystem(context, clearArchiveCommand);
}

} // namespace bv::cli
