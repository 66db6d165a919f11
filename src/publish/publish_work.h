#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "images/current_images.h"
#include "publish/delivery.h"
#include "publish/send_queue.h"
#include "publish/template_job.h"
#include "publish/template_markers.h"
#include "publish/transfer_lists.h"
#include "publish/transfer_work.h"

namespace bv::app {
class EventLog;
class Shell;
struct ConfigRecord;
} // namespace bv::app
namespace bv::platform {
class Clock;
class EventLoop;
} // namespace bv::platform
namespace bv::station {
class StationSession;
}
namespace bv::units {
struct RegionalSettings;
}

namespace bv::publish {

// What a transfer cycle works with; all of it outlives the cycle.
struct PublishContext {
    platform::EventLoop& loop;
    const platform::Clock& clock;
    const app::ConfigRecord& config;
    std::filesystem::path stationDir;
    const units::RegionalSettings& regional;
    app::EventLog& log;
    app::Shell& shell;
    station::StationSession& session;
    DialUp& dialUp;
    // Told of every queue entry delivered or failed (viraraz publish prints them).
    std::function<void(const QueueEntry&, DeliveryResult)> delivered;
    // Told of every other failure: a station that did not answer, a listed
    // file missing, a template or image that was not made.
    std::function<void(const std::string&)> problem;
};

// The transfer cycle's work on the real pieces: the station session's poll,
// the transfer lists with the template markers, the gauges and graphs, and
// the FTP and local delivery.
class PublishWork final : public TransferWork {
  public:
    explicit PublishWork(PublishContext context);
    ~PublishWork() override;

    void pollStation() override;
    bool dataValid() const override;
    bool openLists() override;
    ListStep queueListEntry() override;
    std::string currentEntry() const override { return lists_.currentEntry(); }
    void closeFileList() override { lists_.closeFileList(); }
    void openTemplateJob() override;
    bool convertNextLine() override;
    void queueConvertedTemplate() override;
    void makeCurrentImage(int index) override;
    void makeArchiveGraph(int index) override;
    void queueArchiveFile() override { lists_.queueArchiveFile(); }
    void openDelivery(std::function<void(bool ready)> done) override;
    bool deliverNext(std::function<void()> done) override;
    void finish() override;

  private:
    void report(const std::string& text);

    PublishContext context_;
    images::SessionMemory memory_; // the gauges' memory values, over the poll's port
    TemplateMarkers markers_;
    TransferLists lists_;
    std::optional<TemplateJob> job_;
    std::unique_ptr<Delivery> delivery_;
};

} // namespace bv::publish
