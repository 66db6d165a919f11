#include "publish/transfer_window.h"

#include <gtest/gtest.h>

#include "app/base/automatic_tasks_gate.h"
#include "app/base/config_record.h"
#include "app/base/shell.h"
#include "support/scripted_ui.h"
#include "support/virtual_time.h"

namespace bv::publish {
namespace {

// A cycle's work as a script: list entries, template lengths, and a journal
// of what the cycle asked for, with the virtual time of each call.
class JournalWork final : public TransferWork {
  public:
    struct Script {
        bool listOpens = true;
        bool valid = true;
        bool ready = true;
        // Per entry: 0 a regular file, n > 0 a template of n lines.
        std::vector<std::pair<std::string, int>> entries;
        int queued = 0; // entries queued before the delivery step
        std::function<void()> duringPoll;
    };
    JournalWork(testsupport::VirtualTime& time, Script& script, std::vector<std::string>& journal)
        : time_(time), script_(script), journal_(journal)
    {
    }

    void pollStation() override
    {
        note("poll");
        if (script_.duringPoll)
            script_.duringPoll();
    }
    bool dataValid() const override { return script_.valid; }
    bool openLists() override
    {
        note("open lists");
        return script_.listOpens;
    }
    ListStep queueListEntry() override
    {
        if (entry_ + 1 >= static_cast<int>(script_.entries.size()))
            return note("end of list"), ListStep::End;
        ++entry_;
        if (script_.entries[static_cast<std::size_t>(entry_)].second == 0) {
            ++queued_;
            return note("queue " + currentEntry()), ListStep::Done;
        }
        return ListStep::ConvertStepwise;
    }
    std::string currentEntry() const override
    {
        return script_.entries[static_cast<std::size_t>(entry_)].first;
    }
    void closeFileList() override { note("close list"); }
    void openTemplateJob() override
    {
        linesLeft_ = script_.entries[static_cast<std::size_t>(entry_)].second;
    }
    bool convertNextLine() override
    {
        if (linesLeft_ == 0)
            return false;
        --linesLeft_;
        note("line");
        return true;
    }
    void queueConvertedTemplate() override
    {
        ++queued_;
        note("page " + currentEntry());
    }
    void makeCurrentImage(int index) override { note("image " + std::to_string(index)), ++queued_; }
    void makeArchiveGraph(int index) override { note("graph " + std::to_string(index)), ++queued_; }
    void queueArchiveFile() override { note("archive"), ++queued_; }
    void openDelivery(std::function<void(bool)> done) override
    {
        note("connect");
        time_.post([this, done] { done(script_.ready); });
    }
    bool deliverNext(std::function<void()> done) override
    {
        if (delivered_ == queued_)
            return false;
        note("deliver " + std::to_string(++delivered_));
        time_.post(done);
        return true;
    }
    void finish() override { note("finish"); }

  private:
    void note(const std::string& what) { journal_.push_back(what); }

    testsupport::VirtualTime& time_;
    Script& script_;
    std::vector<std::string>& journal_;
    int entry_ = -1;
    int linesLeft_ = 0;
    int queued_ = 0;
    int delivered_ = 0;
};

class TransferWindowTest : public testing::Test {
  protected:
    TransferWindow window{time,
                          shell,
                          gate,
                          config,
                          [this] { return std::make_unique<JournalWork>(time, script, journal); },
                          {[this](bool busy) { toolbar.push_back(busy); },
                           [this](TransferWindow::End why) { ends.push_back(why); }}};

    // Runs until the cycle ends; the virtual milliseconds it took.
    std::int64_t runCycle()
    {
        const std::int64_t from = time.monotonicMs();
        EXPECT_TRUE(window.start());
        // A millisecond at a time: the virtual loop runs calls that posted
        // calls post at its next point in time.
        for (int i = 0; i < 100000 && window.running(); ++i)
            time.advance(1);
        EXPECT_FALSE(window.running());
        return time.monotonicMs() - from;
    }
    int count(const std::string& what) const
    {
        return static_cast<int>(std::count(journal.begin(), journal.end(), what));
    }

    testsupport::ScriptedUi ui;
    testsupport::VirtualTime time;
    units::RegionalSettings regional;
    app::Shell shell{ui, time, regional};
    app::AutoTaskGate gate;
    app::ConfigRecord config;
    JournalWork::Script script;
    std::vector<std::string> journal;
    std::vector<bool> toolbar;
    std::vector<TransferWindow::End> ends;
};

TEST_F(TransferWindowTest, RunsEveryStepInOrderAndCleansUpOnce)
{
    script.entries = {{"/web/a.htx", 10}, {"logo.gif", 0}, {"/web/b.htx", 1}};
    config.currentImages[1] = true;
    config.currentImages[12] = true; // a flag without an image
    config.historyImages[10] = true;
    config.historyImages[12] = true; // past the last graph
    bool gateClosedDuring = false;
    script.duringPoll = [&] { gateClosedDuring = !gate.allowed(); };

    const std::int64_t elapsed = runCycle();

    std::vector<std::string> expected = {"poll", "open lists"};
    expected.insert(expected.end(), 10, "line");
    for (const char* what :
         {"page /web/a.htx", "queue logo.gif", "line", "page /web/b.htx", "end of list",
          "close list", "image 1", "graph 10", "archive", "connect"})
        expected.push_back(what);
    for (int i = 1; i <= 6; ++i)
        expected.push_back("deliver " + std::to_string(i));
    expected.push_back("finish");
    EXPECT_EQ(journal, expected);
    EXPECT_TRUE(gateClosedDuring);
    EXPECT_TRUE(gate.allowed());
    EXPECT_EQ(ends, std::vector<TransferWindow::End>{TransferWindow::End::Delivered});
    EXPECT_EQ(toolbar.front(), true);
    EXPECT_EQ(toolbar.back(), false);
    EXPECT_EQ(ui.statusText(), "");
    // Units of work, each followed by two ticks: the poll, the list's open
    // and three entries, four runs of a's lines and one of b's (which
    // finds its end), two images, the archive file; six deliveries of
    // three ticks, and the connection's tick.
    const int ticks = 2 * (1 + 1 + 3 + 4 + 1 + 2 + 1 + 1 + 1 + 1) + 3 * 6;
    EXPECT_GE(elapsed, ticks * TransferWindow::kStepPeriodMs);
    EXPECT_LE(elapsed, ticks * TransferWindow::kStepPeriodMs + 30);
}

TEST_F(TransferWindowTest, ShowsEachStepOnTheStatusLine)
{
    script.entries = {{"/web/a.htx", 1}, {"logo.gif", 0}};
    runCycle();
    // " date time text", the same date and time throughout: keep the text.
    const std::string& first = ui.statusTexts().front();
    const std::size_t prefix = first.find("Retrieving");
    std::vector<std::string> texts;
    for (const std::string& status : ui.statusTexts())
        texts.push_back(status.empty() ? "" : status.substr(prefix));
    texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
    const std::vector<std::string> expected = {"Retrieving current data.",
                                               "Processing templates.",
                                               "Processing Template /web/a.htx",
                                               "Converted template logo.gif .",
                                               "Processing current weather Images.",
                                               "Processing archive weather Images.",
                                               "",
                                               "Transferring Files.",
                                               ""};
    EXPECT_EQ(texts, expected);
}

TEST_F(TransferWindowTest, EndsEarlyWithoutDelivering)
{
    struct Case {
        const char* name;
        std::function<void(JournalWork::Script&)> setUp;
        std::vector<std::string> expected;
        TransferWindow::End why;
    };
    using End = TransferWindow::End;
    const Case cases[] = {
        {"files.dat missing",
         [](auto& s) { s.listOpens = false; },
         {"poll", "open lists", "finish"},
         End::NoList},
        {"connection failed",
         [](auto& s) { s.ready = false; },
         {"poll", "open lists", "end of list", "close list", "archive", "connect", "finish"},
         End::NotConnected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        script = {};
        journal.clear();
        c.setUp(script);
        runCycle();
        EXPECT_EQ(journal, c.expected);
        EXPECT_EQ(ends.back(), c.why);
        EXPECT_TRUE(gate.allowed());
    }
}

TEST_F(TransferWindowTest, CancelEndsBetweenSteps)
{
    script.entries = {{"/web/a.htx", 30}};
    // Cancel while the station is being read: the poll finishes first.
    script.duringPoll = [this] {
        window.cancel();
        journal.push_back(window.running() ? "still running" : "ended");
    };
    runCycle();
    EXPECT_EQ(journal, (std::vector<std::string>{"poll", "still running", "finish"}));

    // Cancel in the middle of a template.
    script.duringPoll = nullptr;
    journal.clear();
    ASSERT_TRUE(window.start());
    EXPECT_FALSE(window.start()) << "one cycle at a time";
    while (count("line") < 6)
        time.advance(TransferWindow::kStepPeriodMs);
    window.cancel();
    time.advance(1000);
    EXPECT_EQ(journal.back(), "finish");
    EXPECT_EQ(count("finish"), 1);
    EXPECT_EQ(count("line"), 6);
    EXPECT_EQ(ends, (std::vector<TransferWindow::End>{TransferWindow::End::Cancelled,
                                                      TransferWindow::End::Cancelled}));
    EXPECT_TRUE(gate.allowed());
}

TEST_F(TransferWindowTest, TheGateStaysClosedWhenSomeoneElseClosedIt)
{
    gate.setHeld(app::GateHolder::User, true);
    runCycle();
    EXPECT_FALSE(gate.allowed());
    EXPECT_FALSE(gate.heldBy(app::GateHolder::TransferCycle));
}

} // namespace
} // namespace bv::publish
