#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/child_process.h"
#include "publish/dial_dialog.h"
#include "publish/dial_up.h"
#include "publish/phonebook.h"

namespace bv::app {
class DialogHost;
}

namespace bv::publish {

// Where pppd and the traces of its links are found (other places in tests).
struct PppPlaces {
    std::filesystem::path pppd = "/usr/sbin/pppd";
    std::filesystem::path peersDir = kPeersDirectory;
    std::filesystem::path runDir = "/run";                  // ppp-NAME.pid of a live link
    std::filesystem::path interfacesDir = "/sys/class/net"; // ppp0, ppp1, ...
    std::filesystem::path procDir = "/proc";                // what a pid runs
};

// What one line of pppd's log tells the dialing dialog: a state, an error
// for the event log ("pppd: " and the line), both or nothing.
DialUpdate interpretPppLine(std::string_view line);

// The pppd command of a dial: the peers entry, no detaching, the log on
// standard output, the link named after the entry, the user, and the
// password read from descriptor 3 by the passwordfd plugin, never an argument.
std::vector<std::string> pppdWords(const PppPlaces& places, const std::string& entry,
                                   const std::string& user, bool withPassword);

// One pppd per dial attempt, as the dialing dialog drives it.
class PppLine final : public DialLine {
  public:
    PppLine(platform::ProcessStarter& starter, const PppPlaces& places, std::string entry,
            std::string user, std::string password);

    bool startDial() override;
    std::vector<DialUpdate> poll() override;
    void hangUp() override;

    // The pppd of an attempt that connected; it stays up after the dialog.
    std::unique_ptr<platform::ChildProcess> takeConnection() { return std::move(process_); }

  private:
    void readLines(std::vector<DialUpdate>& updates, bool ended);

    platform::ProcessStarter& starter_;
    PppPlaces places_;
    std::string entry_;
    std::string user_;
    std::string password_;
    std::unique_ptr<platform::ChildProcess> process_;
    std::string pending_; // output after the last full line
    std::vector<DialUpdate> queued_;
    bool busySeen_ = false;
};

// `hollit`'s dialer: dials through pppd in the "DIALUP" dialog and keeps the
// pppd of a connection until it is hung up. A link of the entry made outside
// the program (its pid file) or any other ppp interface counts as a
// connection, so nothing is dialled over it.
class PppDialer final : public Dialer {
  public:
    PppDialer(platform::ProcessStarter& starter, app::DialogHost& host, app::EventLog& log,
              platform::EventLoop& loop, PppPlaces places = {});

    std::vector<std::string> phonebookEntries() const override;
    bool connectionActive(const std::string& entry) override;
    int runDial(const app::ConfigRecord& config) override;
    // Ends this program's pppd, else the pppd whose pid file names the
    // entry (a link made by another run, e.g. `viraraz dial`), checked to be
    // a pppd before it is signalled. True when no link is left.
    bool hangUp(const std::string& entry) override;

  private:
    platform::ProcessStarter& starter_;
    app::DialogHost& host_;
    app::EventLog& log_;
    platform::EventLoop& loop_;
    PppPlaces places_;
    std::unique_ptr<platform::ChildProcess> connection_;
};

} // namespace bv::publish
