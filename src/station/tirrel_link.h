#pragma once

#include "station/station_link.h"

namespace bv::station {

class TirrelPort;

// The engine of Tirrel D and E. Model E puts the command's CRC (low byte
// first) in front of it and gets CRC-checked data replies; model D reads data
// raw with the 2-second stall limit. The acknowledgement is 0x06 (0); "!"
// gives -6, 0x18 -7, any other byte -8, each after draining the line. An RRD
// that fails its CRC is sent once more 300 ms later.
class TirrelLink : public StationLink {
  public:
    static constexpr int kRrdAttempts = 2;
    static constexpr int kRrdRetryPauseMs = 300;

    explicit TirrelLink(TirrelPort& port);
    const StationModel& model() const override;

  protected:
    int transact(const Command& command) override;

  private:
    int sendOnce(const Command& command);
    int takeAcknowledgement();

    TirrelPort& tirrelPort_;
};

} // namespace bv::station
