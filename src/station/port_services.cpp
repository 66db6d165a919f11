#include "station/port_services.h"

#include "platform/linux/termios_serial_device.h"
#include "station/port_path.h"
#include "station/protocol_trace.h"

namespace bv::station {

PortServices systemPortServices(platform::EventLoop& loop, const platform::Clock& clock,
                                platform::Ui& ui, const std::filesystem::path& stationDir,
                                ProtocolTrace* trace)
{
    SerialDeviceFactory makeDevice = [&loop]() -> std::unique_ptr<platform::SerialDevice> {
        return std::make_unique<platform::TermiosSerialDevice>(loop);
    };
    if (trace != nullptr)
        makeDevice = tracedDeviceFactory(std::move(makeDevice), *trace);
    return PortServices{loop, clock, ui, std::move(makeDevice),
                        [stationDir](int port) { return portDevicePath(stationDir, port); }};
}

} // namespace bv::station
