#include "publish/ppp_dialer.h"

#include <signal.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "app/base/dialog_host.h"
#include "app/base/event_log.h"
#include "platform/event_loop.h"

namespace bv::publish {
namespace {

// How long a hang-up waits for another run's pppd to end: 5 seconds.
constexpr auto kHangUpWait = std::chrono::milliseconds(20);
constexpr int kHangUpWaits = 250;

// Gone, or ended and waiting for its parent to collect it.
bool processEnded(const std::filesystem::path& procDir, pid_t pid)
{
    std::ifstream stat(procDir / std::to_string(pid) / "stat");
    std::string text;
    std::getline(stat, text);
    const std::size_t close = text.rfind(')');
    return ::kill(pid, 0) != 0 ||
           (close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z');
}

bool contains(std::string_view line, std::string_view word)
{
    return line.find(word) != std::string_view::npos;
}

} // namespace

DialUpdate interpretPppLine(std::string_view line)
{
    DialUpdate update;
    if (contains(line, "BUSY"))
        update.state = DialState::LineBusy;
    else if (contains(line, "local  IP address") || contains(line, "local IP address"))
        update.state = DialState::Connected;
    else if (contains(line, "Connect: ppp") || contains(line, "Serial connection established"))
        update.state = DialState::Authenticating;
    for (const std::string_view word : {"failed", "error", "Error", "refused", "Modem hangup",
                                        "NO CARRIER", "timed out", "must be root"})
        if (contains(line, word))
            update.error = "pppd: " + std::string(line);
    return update;
}

std::vector<std::string> pppdWords(const PppPlaces& places, const std::string& entry,
                                   const std::string& user, bool withPassword)
{
    std::vector<std::string> words = {places.pppd.string(), "call", entry, "nodetach", "logfd", "1",
                                      "linkname",           entry};
    if (!user.empty())
        words.insert(words.end(), {"user", user});
    if (withPassword)
        words.insert(words.end(), {"plugin", "passwordfd.so", "passwordfd", "3"});
    return words;
}

PppLine::PppLine(platform::ProcessStarter& starter, const PppPlaces& places, std::string entry,
                 std::string user, std::string password)
    : starter_(starter), places_(places), entry_(std::move(entry)), user_(std::move(user)),
      password_(std::move(password))
{
}

bool PppLine::startDial()
{
    hangUp();
    busySeen_ = false;
    pending_.clear();
    // A peers entry is a file name: a path would call another file.
    if (entry_.find('/') != std::string::npos || entry_.empty()) {
        queued_.push_back({DialState::Disconnected,
                           "Dial-up entry \"" + entry_ + "\" is not a pppd peers file name."});
        return false;
    }
    platform::SpawnOptions options;
    options.captureOutput = true;
    options.secretOnFd3 = password_;
    std::error_code error;
    process_ =
        starter_.start(pppdWords(places_, entry_, user_, !password_.empty()), {}, error, options);
    if (!process_) {
        queued_.push_back(
            {DialState::Disconnected, "pppd could not be started: " + error.message()});
        return false;
    }
    queued_.push_back({DialState::Dialing, {}});
    return true;
}

void PppLine::readLines(std::vector<DialUpdate>& updates, bool ended)
{
    pending_ += process_->takeOutput();
    if (ended && !pending_.empty() && pending_.back() != '\n')
        pending_ += '\n';
    std::size_t end = 0;
    while ((end = pending_.find('\n')) != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        DialUpdate update = interpretPppLine(line);
        // A busy line counts once pppd has given up on it.
        if (update.state == DialState::LineBusy) {
            busySeen_ = true;
            update.state.reset();
        }
        if (update.state || !update.error.empty())
            updates.push_back(std::move(update));
    }
}

std::vector<DialUpdate> PppLine::poll()
{
    std::vector<DialUpdate> updates = std::move(queued_);
    queued_.clear();
    if (!process_)
        return updates;
    const bool ended = !process_->running();
    readLines(updates, ended);
    if (ended) {
        process_.reset();
        updates.push_back({busySeen_ ? DialState::LineBusy : DialState::Disconnected, {}});
    }
    return updates;
}

void PppLine::hangUp()
{
    if (process_) {
        process_->terminate();
        process_.reset();
    }
}

PppDialer::PppDialer(platform::ProcessStarter& starter, app::DialogHost& host, app::EventLog& log,
                     platform::EventLoop& loop, PppPlaces places)
    : starter_(starter), host_(host), log_(log), loop_(loop), places_(std::move(places))
{
}

std::vector<std::string> PppDialer::phonebookEntries() const
{
    return listPhonebook(places_.peersDir);
}

bool PppDialer::connectionActive(const std::string& entry)
{
    if (connection_ && connection_->running())
        return true;
    connection_.reset();
    std::error_code error;
    if (!entry.empty() && entry.find('/') == std::string::npos &&
        std::filesystem::exists(places_.runDir / ("ppp-" + entry + ".pid"), error))
        return true;
    // Any other ppp link also carries the traffic: nothing is dialled over it.
    for (const auto& interface : std::filesystem::directory_iterator(places_.interfacesDir, error))
        if (interface.path().filename().string().starts_with("ppp"))
            return true;
    return false;
}

int PppDialer::runDial(const app::ConfigRecord& config)
{
    PppLine line(starter_, places_, config.dialupEntry, config.dialupUser, config.dialupPassword);
    DialDialog dialog(line, log_, loop_, config.dialAttempts, config.dialRetryWaitSec);
    host_.runModal(dialog);
    if (dialog.result() == dial_dialog::kConnected)
        connection_ = line.takeConnection();
    else
        line.hangUp();
    return dialog.result() == 0 ? dial_dialog::kAborted : dialog.result();
}

bool PppDialer::hangUp(const std::string& entry)
{
    if (connection_) {
        connection_->terminate();
        connection_.reset();
        return true;
    }
    if (entry.empty() || entry.find('/') != std::string::npos)
        return true;
    std::ifstream pidFile(places_.runDir / ("ppp-" + entry + ".pid"));
    pid_t pid = 0;
    if (!(pidFile >> pid) || pid <= 1)
        return true;
    // Only a pppd is signalled: a stale pid file may name a stranger now.
    std::ifstream comm(places_.procDir / std::to_string(pid) / "comm");
    std::string name;
    if (!std::getline(comm, name) || name != "pppd" || ::kill(pid, SIGTERM) != 0)
        return false;
    // pppd ends on its own clock, so this waits in real time, pumping the loop.
    for (int wait = 0; wait < kHangUpWaits; ++wait) {
        if (processEnded(places_.procDir, pid))
            return true;
        loop_.pump();
        std::this_thread::sleep_for(kHangUpWait);
    }
    return false;
}

} // namespace bv::publish
