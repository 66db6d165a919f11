#include "publish/transfer_window.h"

#include "app/base/automatic_tasks_gate.h"
#include "app/base/config_record.h"
#include "app/base/shell.h"
#include "app/base/strings_publish.h"
#include "app/base/text_pattern.h"

namespace bv::publish {

namespace strings = app::strings;

namespace {

// Pauses after one unit of work: about 150 ms, and 225 ms after a delivery.
constexpr int kWorkWait = 1;
constexpr int kDeliveryWait = 2;
// Template lines converted per tick.
constexpr int kLinesPerTick = 3;
// currentImages has a 13th flag without an image; historyImages flags past
// the wind run graph name no graph.
constexpr int kCurrentImageLimit = 12;
constexpr int kArchiveGraphLimit = 11;

} // namespace

TransferWindow::TransferWindow(platform::EventLoop& loop, app::Shell& shell,
                               app::AutoTaskGate& gate, const app::ConfigRecord& config,
                               WorkFactory makeWork, Hooks hooks)
    : loop_(loop), shell_(shell), gate_(gate), config_(config), makeWork_(std::move(makeWork)),
      hooks_(std::move(hooks))
{
}

TransferWindow::~TransferWindow()
{
    end(End::Cancelled);
}

bool TransferWindow::start()
{
    if (running_)
        return false;
    gate_.hold(app::GateHolder::TransferCycle);
    running_ = true;
    endPending_ = false;
    tickCount_ = -1;
    step_ = kIdle;
    itemIndex_ = 0;
    alive_ = std::make_shared<bool>(true);
    work_ = makeWork_();
    loop_.post([this, alive = alive_] {
        if (*alive)
            begin();
    });
    return true;
}

void TransferWindow::begin()
{
    timer_ = loop_.startTimer(kStepPeriodMs, [this] { onTick(); });
    step_ = kIdle;
    if (hooks_.setToolbarBusy)
        hooks_.setToolbarBusy(true);
    post(kReadStation);
}

void TransferWindow::cancel()
{
    if (working_)
        endPending_ = true;
    else
        end(End::Cancelled);
}

void TransferWindow::post(Step command)
{
    loop_.post([this, alive = alive_, command] {
        if (*alive)
            run(command);
    });
}

void TransferWindow::onTick()
{
    if (tickCount_ == -1)
        return;
    if (++tickCount_ <= waitTicks_)
        return;
    tickCount_ = -1;
    if (step_ != kIdle)
        post(step_);
}

void TransferWindow::schedule(int waitTicks)
{
    waitTicks_ = waitTicks;
    tickCount_ = 0;
    // The clock starts afresh, so the pause is whole ticks: (waitTicks + 1) x 75 ms.
    loop_.stopTimer(timer_);
    timer_ = loop_.startTimer(kStepPeriodMs, [this] { onTick(); });
}

void TransferWindow::next(Step command)
{
    step_ = kIdle;
    post(command);
}

void TransferWindow::run(Step command)
{
    // A command for another step than the one under way is stale.
    if (step_ != kIdle && step_ != command)
        return;
    working_ = true;
    runStep(command);
    working_ = false;
    if (endPending_)
        end(End::Cancelled);
}

void TransferWindow::runStep(Step command)
{
    switch (command) {
    case kReadStation:
        readStation();
        break;
    case kTemplates:
        templates();
        break;
    case kTemplateLines:
        templateLines();
        break;
    case kCurrentImages:
        images(kCurrentImages, kArchiveGraphs);
        break;
    case kArchiveGraphs:
        images(kArchiveGraphs, kArchiveFile);
        break;
    case kArchiveFile:
        archiveFile();
        break;
    case kDeliver:
        deliver();
        break;
    case kIdle:
        break;
    }
}

void TransferWindow::readStation()
{
    if (step_ == kIdle) {
        shell_.showStatus(strings::kRetrievingCurrentData.text);
        step_ = kReadStation;
        schedule(kWorkWait);
        return;
    }
    work_->pollStation();
    shell_.showStatus(strings::kRetrievingCurrentData.text);
    next(kTemplates);
}

void TransferWindow::templates()
{
    if (step_ == kIdle) {
        shell_.showStatus(strings::kProcessingTemplates.text);
        if (!work_->openLists()) {
            end(End::NoList);
            return;
        }
        step_ = kTemplates;
        schedule(kWorkWait);
        return;
    }
    switch (work_->queueListEntry()) {
    case ListStep::Done:
        shell_.showStatus(
            app::fillPattern(strings::kConvertedTemplate.text, {work_->currentEntry()}));
        schedule(kWorkWait);
        break;
    case ListStep::ConvertStepwise:
        next(kTemplateLines);
        break;
    case ListStep::End:
        work_->closeFileList();
        next(kCurrentImages);
        break;
    }
}

void TransferWindow::templateLines()
{
    if (step_ == kIdle) {
        shell_.showStatus(
            app::fillPattern(strings::kProcessingTemplate.text, {work_->currentEntry()}));
        work_->openTemplateJob();
        step_ = kTemplateLines;
        schedule(kWorkWait);
        return;
    }
    int lines = 0;
    while (lines < kLinesPerTick && work_->convertNextLine())
        ++lines;
    if (lines < kLinesPerTick) {
        work_->queueConvertedTemplate();
        step_ = kTemplates; // the list goes on with its next entry
    }
    schedule(kWorkWait);
}

void TransferWindow::images(Step self, Step following)
{
    const bool current = self == kCurrentImages;
    if (step_ == kIdle) {
        shell_.showStatus(current ? strings::kProcessingCurrentImages.text
                                  : strings::kProcessingArchiveImages.text);
        itemIndex_ = 0;
        step_ = self;
        schedule(kWorkWait);
        return;
    }
    const auto& selected = current ? config_.currentImages : config_.historyImages;
    const int limit = current ? kCurrentImageLimit : kArchiveGraphLimit;
    if (work_->dataValid()) {
        while (itemIndex_ < limit && !selected[static_cast<std::size_t>(itemIndex_)])
            ++itemIndex_;
        if (itemIndex_ < limit) {
            if (current)
                work_->makeCurrentImage(itemIndex_);
            else
                work_->makeArchiveGraph(itemIndex_);
            ++itemIndex_;
            schedule(kWorkWait);
            return;
        }
    }
    itemIndex_ = 0;
    next(following);
}

void TransferWindow::archiveFile()
{
    if (step_ == kIdle) {
        shell_.clearStatus();
        step_ = kArchiveFile;
        schedule(kWorkWait);
        return;
    }
    work_->queueArchiveFile();
    next(kDeliver);
}

void TransferWindow::deliver()
{
    if (step_ == kIdle) {
        shell_.showStatus(strings::kTransferringFiles.text);
        step_ = kDeliver;
        work_->openDelivery([this, alive = alive_](bool ready) {
            if (!*alive)
                return;
            if (ready)
                schedule(kWorkWait);
            else
                end(End::NotConnected);
        });
        return;
    }
    if (hooks_.setToolbarBusy)
        hooks_.setToolbarBusy(true);
    const bool delivering = work_->deliverNext([this, alive = alive_] {
        if (*alive)
            schedule(kDeliveryWait);
    });
    if (!delivering)
        end(End::Delivered);
}

void TransferWindow::end(End why)
{
    if (!running_)
        return;
    running_ = false;
    endPending_ = false;
    *alive_ = false;
    loop_.stopTimer(timer_);
    tickCount_ = -1;
    step_ = kIdle;
    // The work may be what called us (a completion of its own): it is
    // finished now and freed on a later pump.
    work_->finish();
    loop_.post([finished = std::move(work_)] {});
    shell_.clearStatus();
    if (hooks_.setToolbarBusy)
        hooks_.setToolbarBusy(false);
    gate_.release(app::GateHolder::TransferCycle);
    if (hooks_.ended)
        hooks_.ended(why);
}

} // namespace bv::publish
