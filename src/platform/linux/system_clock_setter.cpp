#include "platform/linux/system_clock_setter.h"

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <ctime>

extern char** environ;

namespace bv::platform {

namespace {

constexpr int kTmYearBase = 1900;
constexpr long kNanosPerMilli = 1'000'000;

// "YYYY-MM-DD HH:MM:SS" as timedatectl takes it.
std::array<char, 32> timedatectlArgument(const WallTime& t)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

// Runs timedatectl set-time and waits for it: 0, or EPERM when it failed.
int runTimedatectl(const WallTime& time)
{
    std::array<char, 32> when = timedatectlArgument(time);
    std::array<char, 12> program{"timedatectl"};
    std::array<char, 9> command{"set-time"};
    std::array<char*, 4> argv{program.data(), command.data(), when.data(), nullptr};
    pid_t pid = 0;
    const int spawned =
        ::posix_spawnp(&pid, program.data(), nullptr, nullptr, argv.data(), environ);
    if (spawned != 0)
        return spawned;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return errno;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : EPERM;
}

} // namespace

int SystemClockSetter::setLocalTime(const WallTime& time)
{
    std::tm local{};
    local.tm_year = time.year - kTmYearBase;
    local.tm_mon = time.month - 1;
    local.tm_mday = time.day;
    local.tm_hour = time.hour;
    local.tm_min = time.minute;
    local.tm_sec = time.second;
    local.tm_isdst = -1; // let the time zone say whether summer time applies
    const std::time_t seconds = ::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1))
        return EINVAL;
    const timespec when{seconds, time.millisecond * kNanosPerMilli};
    if (::clock_settime(CLOCK_REALTIME, &when) == 0)
        return 0;
    if (errno != EPERM)
        return errno;
    return runTimedatectl(time);
}

} // namespace bv::platform
