#include "publish/publish_work.h"

#include "app/base/config_record.h"
#include "app/base/event_log.h"
#include "images/archive_graphs.h"
#include "station/result_codes.h"
#include "station/station_session.h"
#include "units/regional_settings.h"

namespace bv::publish {

namespace {

// The settings the markers are printed with: the family of the session's
// model, its temperature unit and the regional formats.
MarkerSettings markerSettings(station::StationSession& session,
                              const units::RegionalSettings& regional)
{
    const station::StationModel* model = session.model();
    return {model != nullptr && model->family == station::StationFamily::Tirrel,
            session.settings().units.temperature, regional};
}

} // namespace

PublishWork::PublishWork(PublishContext context)
    : context_(std::move(context)), memory_(context_.session),
      markers_(MarkerStation{context_.session.conditions(), context_.session.classicMemory(),
                             context_.session.tirrelMemory()},
               markerSettings(context_.session, context_.regional), context_.clock),
      lists_(context_.config, markers_.expander(),
             [this](const std::string& text) { report(text); })
{
}

PublishWork::~PublishWork() = default;

void PublishWork::report(const std::string& text)
{
    context_.log.logEvent(text);
    if (context_.problem)
        context_.problem(text);
}

void PublishWork::pollStation()
{
    // The session has logged why; the cycle goes on with markers unreplaced.
    const int result = context_.session.pollCurrentConditions();
    if (result != station::kDone && context_.problem)
        context_.problem(std::string(station::resultText(result)));
}

bool PublishWork::dataValid() const
{
    return context_.session.conditions().dataValid;
}

bool PublishWork::openLists()
{
    return lists_.open();
}

ListStep PublishWork::queueListEntry()
{
    switch (lists_.queueListEntry()) {
    case ListEntryResult::Done:
        return ListStep::Done;
    case ListEntryResult::ConvertStepwise:
        return ListStep::ConvertStepwise;
    case ListEntryResult::EndOfList:
        break;
    }
    return ListStep::End;
}

void PublishWork::openTemplateJob()
{
    job_.emplace(lists_.openTemplateJob());
}

bool PublishWork::convertNextLine()
{
    return job_ && job_->convertNextLine();
}

void PublishWork::queueConvertedTemplate()
{
    if (job_)
        lists_.queueConvertedTemplate(*job_);
    job_.reset();
}

void PublishWork::makeCurrentImage(int index)
{
    const images::ImageResult result = images::makeCurrentImage(
        index, {context_.stationDir, context_.config, context_.session.conditions(), memory_});
    if (result.written())
        lists_.queueImage(result.fileName);
    else
        report(result.message);
}

void PublishWork::makeArchiveGraph(int index)
{
    const images::ImageResult result =
        images::makeArchiveGraph(index, {context_.stationDir, context_.config, context_.regional});
    if (result.written())
        lists_.queueImage(result.fileName);
    else
        report(result.message);
}

void PublishWork::openDelivery(std::function<void(bool ready)> done)
{
    delivery_ = std::make_unique<Delivery>(
        DeliveryContext{context_.loop, context_.config, context_.log, context_.shell,
                        context_.dialUp, [this] { context_.session.close(); }});
    lists_.sendQueue().rewind();
    delivery_->openDelivery([this, done = std::move(done)] { done(delivery_->ftpReady()); });
}

bool PublishWork::deliverNext(std::function<void()> done)
{
    const std::optional<QueueEntry> entry = lists_.sendQueue().next();
    if (!entry)
        return false;
    delivery_->deliverEntry(static_cast<char>(entry->kind), entry->source, entry->destination,
                            [this, entry = *entry, done = std::move(done)](DeliveryResult result) {
                                if (context_.delivered)
                                    context_.delivered(entry, result);
                                done();
                            });
    return true;
}

void PublishWork::finish()
{
    lists_.closeFileList();
    job_.reset();
    // Whether wired or on a modem, the port is closed here: a poll's port
    // left open would refuse every later station action as busy.
    context_.session.close();
    if (delivery_)
        delivery_->closeDelivery();
}

} // namespace bv::publish
