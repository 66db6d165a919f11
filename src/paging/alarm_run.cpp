#include "paging/alarm_run.h"

#include "paging/alarm_codes.h"
#include "paging/send_queue.h"

namespace bv::paging {
namespace {

bool writeQueue(const std::filesystem::path& file, const Evaluation& evaluation)
{
    SendQueueWriter queue(file);
    for (const Evaluation::Pair& pair : evaluation.pages)
        queue.add(pair.entryLine, pair.pageLine);
    return queue.close();
}

} // namespace

RunReport runEvaluation(PagingContext& context, app::PagingSelector selector,
                        PagingStation& station, PageSender* sender)
{
    RunReport report;
    if (!context.config.pageOnAlarm && !context.config.pageWeather)
        return report;
    report.ran = true;
    context.gate.hold(app::GateHolder::Paging);
    context.shell.setBusyCursor();

    report.stationRead = station.readConditions();
    const AlarmCodes codes =
        readAlarmCodes(context.stationDir / kAlarmCodesFileName).value_or(AlarmCodes{});
    const std::vector<PagerLine> entries =
        readPagerFile(context.stationDir / kPagerFileName, context.logEvent)
            .value_or(std::vector<PagerLine>{});
    const EvaluationInput input{context.config,   context.state, selector,
                                station.family(), entries,       codes};
    const Evaluation evaluation = evaluatePages(input, report.stationRead, station.readings());

    report.queueWritten = writeQueue(context.queueFile, evaluation);
    report.pages = static_cast<int>(evaluation.pages.size());
    applyLatches(evaluation, context.state);
    if (evaluation.resetHighWindSpeed)
        station.resetHighWindSpeed();
    station.close();
    context.shell.ui().restoreCursor();

    app::AutoTaskGate& gate = context.gate;
    const auto reopenGate = [&gate] { gate.release(app::GateHolder::Paging); };
    if (sender != nullptr)
        sender->sendQueue(context.queueFile, reopenGate);
    else
        reopenGate();
    return report;
}

} // namespace bv::paging
