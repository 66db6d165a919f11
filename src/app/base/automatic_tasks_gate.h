#pragma once

#include <array>
#include <cstddef>

namespace bv::app {

// Who may hold the automatic-task gate closed.
enum class GateHolder : std::size_t {
    User,            // the toolbar's "Disable all Transfers" toggle
    SettingsDialog,  // an open settings dialog
    TransferCycle,   // a running transfer cycle
    ArchiveDownload, // a running archive download
    Paging,          // a running paging run
    Dialing,         // the Dial command's dialing dialog
    Logger,          // the external logger program in its window
};

// The automatic-task gate `autoTasksAllowed`: the one-second timer starts
// transfers, downloads and paging only while nothing holds it closed. Each
// holder takes and gives back only its own hold, so the end of a transfer
// cannot reopen what the user or the logger closed. Holds of one holder count
// (settings dialogs nest). One gate lives in the process-wide state made by main.
class AutoTaskGate {
  public:
    bool allowed() const
    {
        for (const int count : holds_)
            if (count > 0)
                return false;
        return true;
    }
    bool heldBy(GateHolder holder) const { return holds_[index(holder)] > 0; }

    void hold(GateHolder holder) { ++holds_[index(holder)]; }
    void release(GateHolder holder)
    {
        if (holds_[index(holder)] > 0)
            --holds_[index(holder)];
    }
    // For the holders that are on or off (the toggle, the logger).
    void setHeld(GateHolder holder, bool held) { holds_[index(holder)] = held ? 1 : 0; }

  private:
    static constexpr std::size_t index(GateHolder holder)
    {
        return static_cast<std::size_t>(holder);
    }
    std::array<int, static_cast<std::size_t>(GateHolder::Logger) + 1> holds_{};
};

// Holds the gate for one holder while it lives.
class GateHold {
  public:
    GateHold(AutoTaskGate& gate, GateHolder holder) : gate_(gate), holder_(holder)
    {
        gate_.hold(holder_);
    }
    ~GateHold() { gate_.release(holder_); }
    GateHold(const GateHold&) = delete;
    GateHold& operator=(const GateHold&) = delete;

  private:
    AutoTaskGate& gate_;
    GateHolder holder_;
};

} // namespace bv::app
