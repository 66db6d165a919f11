#include "cli/publish_command.h"

#include "app/shell/application.h"
#include "app/shell/transfer_cycle.h"
#include "platform/headless/headless_ui.h"
#include "platform/headless/poll_event_loop.h"
#include "platform/linux/system_clock.h"
#include "units/regional_settings.h"

namespace bv::cli {

namespace {

constexpr std::string_view kUsage = "usage: viraraz publish\n";

std::string_view endText(publish::TransferWindow::End why)
{
    switch (why) {
    case publish::TransferWindow::End::Delivered:
        return "";
    case publish::TransferWindow::End::NoList:
        return "files.dat or sendfiles.dat could not be opened; nothing was published";
    case publish::TransferWindow::End::NotConnected:
        return "the connection failed; nothing was delivered";
    case publish::TransferWindow::End::Cancelled:
        return "the cycle was cancelled";
    }
    return "";
}

} // namespace

int runPublishCommand(CommandContext& context)
{
    if (!context.args.empty()) {
        context.err << kUsage;
        return kExitUsage;
    }
    platform::PollEventLoop loop;
    // Status lines and any message box go to stderr; a box gets the safe answer.
    platform::HeadlessUi ui(context.err);
    platform::SystemClock clock;
    // No dial-up from the command line: the connection is the machine's own.
    app::Application app(ui, loop, clock, context.stationDir, app::Edition::WithoutDialUp);
    app.start({}, units::readRegionalSettings());

    bool failed = false;
    app::TransferCycle cycle(app);
    cycle.setDeliveryListener([&](const publish::QueueEntry& entry,
                                  publish::DeliveryResult result) {
        if (result == publish::DeliveryResult::Skipped)
            return;
        const bool delivered = result == publish::DeliveryResult::Delivered;
        failed = failed || !delivered;
        context.out << static_cast<char>(entry.kind) << ' ' << entry.source << " -> "
                    << entry.destination << ": " << (delivered ? "delivered" : "FAILED") << '\n';
    });
    cycle.setProblemListener([&](const std::string& text) {
        failed = true;
        context.err << "viraraz: " << text << '\n';
    });
    cycle.setEndListener([&](publish::TransferWindow::End why) {
        if (why != publish::TransferWindow::End::Delivered) {
            failed = true;
            context.err << "viraraz: " << endText(why) << '\n';
        }
        loop.quit(0);
    });
    cycle.start();
    loop.run();
    return failed ? kExitFailure : kExitOk;
}

} // namespace bv::cli
