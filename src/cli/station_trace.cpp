#include "cli/station_trace.h"

#include <cerrno>
#include <cstring>

namespace bv::cli {

StationTrace::StationTrace(const std::string& path, const platform::Clock& clock)
{
    if (path.empty())
        return;
    errno = 0;
    file_.open(path, std::ios::out | std::ios::trunc);
    if (!file_) {
        error_ = "cannot write the trace " + path + ": " +
                 (errno != 0 ? std::strerror(errno) : "cannot open it");
        return;
    }
    trace_.emplace(file_, clock);
}

station::SerialDeviceFactory StationTrace::wrap(station::SerialDeviceFactory inner)
{
    if (!trace_)
        return inner;
    return station::tracedDeviceFactory(std::move(inner), *trace_);
}

} // namespace bv::cli
