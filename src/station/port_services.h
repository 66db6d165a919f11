#pragma once

#include <filesystem>

#include "station/serial_port.h"

namespace bv::station {

class ProtocolTrace;

// What the programs give their ports: a termios device per port, opened at
// the device path of the station directory (portDevicePath), and every byte
// traced to trace when one is given.
PortServices systemPortServices(platform::EventLoop& loop, const platform::Clock& clock,
                                platform::Ui& ui, const std::filesystem::path& stationDir,
                                ProtocolTrace* trace = nullptr);

} // namespace bv::station
