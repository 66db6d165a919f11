#include "publish/delivery.h"

#include "app/base/config_record.h"
#include "app/base/event_log.h"
#include "app/base/shell.h"
#include "app/base/strings_publish.h"
#include "app/base/text_pattern.h"
#include "publish/local_delivery.h"

namespace bv::publish {

namespace s = app::strings;

Delivery::Delivery(DeliveryContext context) : context_(std::move(context)) {}

Delivery::~Delivery() = default;

void Delivery::later(std::function<void()> fn)
{
    context_.loop.post(
        [this, alive = std::weak_ptr<bool>(alive_), step = step_, fn = std::move(fn)] {
            if (alive.lock() && step == step_)
                fn();
        });
}

void Delivery::reportConnection(const std::string& text)
{
    context_.log.logEvent(text);
    context_.shell.showStatus(text);
}

void Delivery::openDelivery(std::function<void()> done)
{
    const app::ConfigRecord& config = context_.config;
    openDone_ = std::move(done);
    // The modem line must be free before the Internet connection is made.
    if (config.stationViaModem)
        context_.closeStationLink();
    ftpReady_ = true;
    client_.reset();
    // Dialing runs its own modal dialog; the step goes on from the loop.
    DialResult dialed = DialResult::Connected;
    if (!config.localServerConnection && config.internetTransferEnabled)
        dialed = context_.dialUp.dialUp(config);
    later([this, dialed] { afterDialUp(dialed); });
}

void Delivery::afterDialUp(DialResult result)
{
    const app::ConfigRecord& config = context_.config;
    if (result == DialResult::Failed)
        ftpReady_ = false;
    if (!config.internetTransferEnabled || !ftpReady_) {
        finishOpen();
        return;
    }
    client_ =
        std::make_unique<FtpClient>(context_.loop, FtpLogin{config.ftpHost, config.ftpPort,
                                                            config.ftpUser, config.ftpPassword});
    if (!client_->usable()) {
        reportConnection(app::fillPattern(s::kInternetOpenError.text, {"0"}));
        ftpReady_ = false;
        finishOpen();
        return;
    }
    client_->setPassiveNotice([this] { context_.log.logEvent(s::kFtpPassiveMode); });
    client_->connect(
        [this](ConnectFailure failure, long errorNumber) { afterConnect(failure, errorNumber); });
}

void Delivery::afterConnect(ConnectFailure failure, long errorNumber)
{
    const app::ConfigRecord& config = context_.config;
    if (failure != ConnectFailure::None) {
        reportConnection(connectFailureText(failure, config.ftpHost, config.ftpUser, errorNumber));
        ftpReady_ = false;
        finishOpen();
        return;
    }
    if (config.ftpRemotePath.empty()) {
        finishOpen();
        return;
    }
    client_->setDirectory(config.ftpRemotePath, [this](bool ok) { afterDirectory(ok); });
}

void Delivery::afterDirectory(bool ok)
{
    if (!ok) {
        reportConnection(
            app::fillPattern(s::kFtpDirectoryError.text, {context_.config.ftpRemotePath}));
        ftpReady_ = false;
    }
    finishOpen();
}

void Delivery::finishOpen()
{
    // A directory that cannot be made is not reported here: each copy into it
    // fails and is logged.
    if (context_.config.localTransferEnabled)
        makeDirectoryPath(context_.config.localTransferPath);
    auto done = std::move(openDone_);
    openDone_ = nullptr;
    if (done)
        done();
}

void Delivery::deliverEntry(char kind, const std::string& sourcePath,
                            const std::string& destination,
                            std::function<void(DeliveryResult)> done)
{
    entryDone_ = std::move(done);
    switch (kind) {
    case kLocalEntry:
        deliverLocally(sourcePath, destination);
        return;
    case kFtpEntry:
        deliverByFtp(sourcePath, destination);
        return;
    default:
        later([this] { finishEntry(DeliveryResult::Skipped); });
        return;
    }
}

void Delivery::deliverLocally(const std::string& sourcePath, const std::string& destination)
{
    context_.shell.showStatus(app::fillPattern(s::kTransferringLocal.text, {sourcePath}));
    const bool copied = copyReplacing(sourcePath, destination);
    context_.log.logEvent(copied ? app::fillPattern(s::kCopiedLocal.text, {sourcePath, destination})
                                 : app::fillPattern(s::kLocalTransferError.text, {sourcePath}));
    later([this, copied] {
        finishEntry(copied ? DeliveryResult::Delivered : DeliveryResult::Failed);
    });
}

void Delivery::deliverByFtp(const std::string& sourcePath, const std::string& destination)
{
    context_.shell.showStatus(app::fillPattern(s::kTransferringFtp.text, {sourcePath}));
    const auto report = [this, sourcePath](bool ok) {
        context_.log.logEvent(ok ? app::fillPattern(s::kFtpTransferred.text, {sourcePath})
                                 : app::fillPattern(s::kFtpTransferError.text, {sourcePath}));
        finishEntry(ok ? DeliveryResult::Delivered : DeliveryResult::Failed);
    };
    if (!ftpReady_ || !client_) {
        later([report] { report(false); });
        return;
    }
    client_->putFile(destination, sourcePath, report);
}

void Delivery::finishEntry(DeliveryResult result)
{
    auto done = std::move(entryDone_);
    entryDone_ = nullptr;
    if (done)
        done(result);
}

void Delivery::closeDelivery()
{
    ++step_;
    openDone_ = nullptr;
    entryDone_ = nullptr;
    const app::ConfigRecord& config = context_.config;
    if (config.internetTransferEnabled)
        client_.reset();
    if (!config.localServerConnection && !config.stayConnected && config.internetTransferEnabled)
        context_.dialUp.hangUp(config);
}

} // namespace bv::publish
