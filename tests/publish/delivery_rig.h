#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/base/config_record.h"
#include "app/base/event_log.h"
#include "app/base/shell.h"
#include "platform/event_loop.h"
#include "publish/delivery.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace bv::publishtest {

// Records the dial-up calls of the connect and closing steps.
class RecordingDialUp : public publish::DialUp {
  public:
    std::vector<std::string> phonebookEntries() const override { return {}; }
    publish::DialResult dialUp(const app::ConfigRecord&) override
    {
        calls.push_back("dial");
        return result;
    }
    bool hangUp(const app::ConfigRecord&) override
    {
        calls.push_back("hang up");
        return true;
    }
    bool connectionActive(const app::ConfigRecord&) override { return false; }

    publish::DialResult result = publish::DialResult::Connected;
    std::vector<std::string> calls;
};

// A station directory, its event log and status line, and a Delivery over a
// given loop and clock, with helpers that run one step to its end.
class DeliveryRig {
  public:
    DeliveryRig(platform::EventLoop& loop, const platform::Clock& clock)
        : loop_(loop), log_(station_.path(), clock, regional_), shell_(ui, clock, regional_)
    {
    }

    publish::Delivery& delivery()
    {
        if (!delivery_) {
            delivery_ = std::make_unique<publish::Delivery>(
                publish::DeliveryContext{loop_, config, log_, shell_, dialUp,
                                         [this] { dialUp.calls.push_back("close station"); }});
        }
        return *delivery_;
    }

    // Runs the connect step to its end; returns ftpReady.
    bool open()
    {
        bool done = false;
        delivery().openDelivery([&] { done = true; });
        waitFor(done);
        return delivery().ftpReady();
    }

    publish::DeliveryResult deliver(char kind, const std::filesystem::path& source,
                                    const std::string& destination)
    {
        bool done = false;
        auto result = publish::DeliveryResult::Skipped;
        delivery().deliverEntry(kind, source.string(), destination, [&](publish::DeliveryResult r) {
            result = r;
            done = true;
        });
        waitFor(done);
        return result;
    }

    // Pauses the loop until flag is set; a test failure after 20 s of real time.
    void waitFor(const bool& flag, int limitMs = 20000)
    {
        for (int waited = 0; !flag && waited < limitMs; waited += 5)
            loop_.pause(5);
        ASSERT_TRUE(flag) << "the step did not end";
    }

    std::filesystem::path writeFile(const std::string& name, const std::string& bytes)
    {
        const auto path = station_.path() / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string eventLog() const
    {
        std::ifstream in(log_.path());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    const std::filesystem::path& stationDir() const { return station_.path(); }

    app::ConfigRecord config;
    RecordingDialUp dialUp;
    testsupport::ScriptedUi ui;

  private:
    platform::EventLoop& loop_;
    testsupport::TempDir station_{"bv-delivery"};
    units::RegionalSettings regional_;
    app::EventLog log_;
    app::Shell shell_;
    std::unique_ptr<publish::Delivery> delivery_;
};

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace bv::publishtest
