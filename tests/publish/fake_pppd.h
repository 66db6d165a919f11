#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "publish/dial_dialog.h"
#include "publish/ppp_dialer.h"
#include "support/scripted_ui.h"
#include "support/text_files.h"

namespace bv::publishtest {

// A fake pppd: notes its arguments and the password it reads from descriptor
// 3, then plays the next scenario of the list in "scenarios" beside it
// (connect, busy, auth or drop).
inline constexpr const char* kFakePppd = R"sh(#!/bin/sh
dir=$(dirname "$0")
printf '%s\n' "$@" >> "$dir/args"
echo $$ > "$dir/pid"
pw=""
read -r pw <&3 2>/dev/null
echo "$pw" >> "$dir/passwords"
scenario=$(head -n 1 "$dir/scenarios")
[ "$(wc -l < "$dir/scenarios")" -gt 1 ] && sed -i 1d "$dir/scenarios"
case "$scenario" in
connect)
    echo "Serial connection established."
    echo "Connect: ppp0 <--> /dev/ttyS0"
    sleep 0.2
    echo "local  IP address 10.1.1.2"
    trap 'exit 0' TERM
    while :; do sleep 0.05; done ;;
busy)
    echo "BUSY"
    echo "Connect script failed"
    exit 8 ;;
auth)
    echo "Connect: ppp0 <--> /dev/ttyS0"
    sleep 0.2
    echo "PAP authentication failed"
    exit 19 ;;
esac
)sh";

// The fake pppd at root/pppd with the peers entry "isp"; its runs leave
// root/args, root/passwords and root/pid.
inline publish::PppPlaces installFakePppd(const std::filesystem::path& root)
{
    namespace fs = std::filesystem;
    const publish::PppPlaces places{root / "pppd", root / "peers", root / "run", root / "net"};
    for (const fs::path& d : {places.peersDir, places.runDir, places.interfacesDir})
        fs::create_directories(d);
    testsupport::writeText(places.pppd, kFakePppd);
    fs::permissions(places.pppd, fs::perms::owner_all);
    testsupport::writeText(places.peersDir / "isp", "");
    return places;
}

// Runs every "DIALUP" dialog to its end by driving its timers: the poll on
// real time (pppd is a real process), a second tick after every second poll,
// so a 3-minute limit passes in about a second. Notes each status text seen.
inline void answerDialDialogs(testsupport::ScriptedUi& ui, std::vector<std::string>* statuses)
{
    ui.onDialog("DIALUP", [statuses](testsupport::FakeDialogView& v) {
        for (int poll = 1; !v.ended() && poll < 20000; ++poll) {
            if (statuses != nullptr)
                statuses->push_back(v.text(publish::dial_dialog::kStatusText));
            v.fireTimer(publish::dial_dialog::kPollTimer);
            if (poll % 2 == 0 && !v.ended())
                v.fireTimer(publish::dial_dialog::kSecondTimer);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
}

} // namespace bv::publishtest
