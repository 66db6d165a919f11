#pragma once

namespace bv::app {

// The automatic-task gate `autoTasksAllowed`: the one-second timer starts
// transfers, downloads and paging only while it is set. The "Disable all
// Transfers" toggle sets it; every settings dialog clears it while it is open;
// the transfer cycle, the paging run, the archive download and the running
// logger program clear it while they use the port or the network and put it
// back afterwards. One lives in the process-wide state made by main.
struct AutoTaskGate {
    bool allowed = true;
};

} // namespace bv::app
