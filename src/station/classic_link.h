#pragma once

#include "station/station_link.h"

namespace bv::station {

class ClassicPort;

// The engine of Ostrel II, Carrow III, Carrow II and Lunett. Commands carry no
// CRC; one that is not acknowledged with 0x06 is sent once more after draining
// the line. Data replies are read raw with the 2-second stall limit.
class ClassicLink : public StationLink {
  public:
    explicit ClassicLink(ClassicPort& port);
    const StationModel& model() const override;
    int sendDump() override;

  protected:
    int transact(const Command& command) override;
};

} // namespace bv::station
