#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/event_loop.h"
#include "publish/dial_up.h"
#include "publish/ftp_client.h"

namespace bv::app {
class EventLog;
class Shell;
struct ConfigRecord;
} // namespace bv::app

namespace bv::publish {

// What happened to one queue entry.
enum class DeliveryResult {
    Delivered,
    Failed,  // logged; the cycle goes on with the next entry
    Skipped, // an entry of an unknown kind
};

// Queue entry kinds (the first character of an entry's first line).
inline constexpr char kFtpEntry = 'F';
inline constexpr char kLocalEntry = 'L';

// What the delivery of a transfer cycle works with; all of it outlives the
// Delivery.
struct DeliveryContext {
    platform::EventLoop& loop;
    const app::ConfigRecord& config;
    app::EventLog& log;
    app::Shell& shell;
    DialUp& dialUp;
    std::function<void()> closeStationLink;
};

// The delivery layer of one transfer cycle: the connect step, the delivery of
// each queue entry by FTP or to the local directory, and the closing step.
// Every step is asynchronous: it returns at once, the event loop keeps
// running (the window repaints, Cancel answers), and done runs later on the
// loop. One step at a time. Results go to the event log; connection problems
// also to the status line; nothing ever opens a dialog.
class Delivery {
  public:
    explicit Delivery(DeliveryContext context);
    // Ends a step under way without calling its done; does not hang up.
    ~Delivery();
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;

    // The connect step: frees the modem of a station reached by telephone,
    // dials when configured, logs in to the FTP server and changes to the
    // remote directory, and creates the local transfer directory. When done
    // runs, ftpReady() tells whether entries may be delivered; when it is
    // false the cycle delivers nothing, local entries included.
    void openDelivery(std::function<void()> done);
    bool ftpReady() const { return ftpReady_; }

    // Delivers one entry of the send queue: kind 'F' stores sourcePath on the
    // FTP server as destination (relative to the remote directory), 'L'
    // copies it to the local path destination; any other kind is skipped.
    void deliverEntry(char kind, const std::string& sourcePath, const std::string& destination,
                      std::function<void(DeliveryResult)> done);

    // The closing step, also on Cancel: ends a step under way (its done never
    // runs), closes the FTP connection and hangs up unless the settings keep
    // the line up.
    void closeDelivery();

  private:
    void afterDialUp(DialResult result);
    void afterConnect(ConnectFailure failure, long errorNumber);
    void afterDirectory(bool ok);
    void finishOpen();
    void deliverByFtp(const std::string& sourcePath, const std::string& destination);
    void deliverLocally(const std::string& sourcePath, const std::string& destination);
    void reportConnection(const std::string& text);
    void finishEntry(DeliveryResult result);
    // Runs fn on a later turn unless the step was ended or the Delivery is gone.
    void later(std::function<void()> fn);

    DeliveryContext context_;
    bool ftpReady_ = false;
    std::unique_ptr<FtpClient> client_;
    std::function<void()> openDone_;
    std::function<void(DeliveryResult)> entryDone_;
    unsigned step_ = 0; // counts ended steps
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace bv::publish
