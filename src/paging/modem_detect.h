#pragma once

#include "app/base/shell.h"
#include "station/serial_port.h"

namespace bv::paging {

// AutoDetect of the paging modem: after the user's Yes to the warning that it
// may take minutes, tries ports 1 to 10 in turn. Each port is opened at 300
// baud, 8-N-1, with 1000 ms time-outs; after 1 s "ATE0Q0V1\r" switches echo
// off and result words on, up to 15 bytes of its answer are discarded, and
// after another second "AT\r" must be answered with "OK" in its first 6
// bytes. A modem found is offered to the user ("Select Modem"): Yes takes
// it, No goes on. Every port is closed after its test. Returns the port
// taken, or 0 when the user declined or no port answered ("No more modems
// found." under "Auto Detect").
int detectModemPort(station::ClassicPort& port, app::Shell& shell);

} // namespace bv::paging
