#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "station/modem_dial.h"
#include "station/station_models.h"

namespace bv::station {

class SerialPort;

// What the two protocol engines share: the memory commands and their
// addressing, the CRC-checked reply, packet reads, the DBT/EBT bracket and
// dialing. Framing, acknowledgement handling and retries are each engine's own.
//
// Results: see result_codes.h. Commands without data give the engine's
// acknowledgement result (TirrelLink 0, ClassicLink 1); reads give 0 with the
// data in reply().
class StationLink {
  public:
    explicit StationLink(SerialPort& port);
    virtual ~StationLink() = default;
    StationLink(const StationLink&) = delete;
    StationLink& operator=(const StationLink&) = delete;

    SerialPort& port() { return port_; }
    // The descriptor whose protocol the engine speaks now.
    virtual const StationModel& model() const = 0;

    // Empties the line, the push-back and the command buffer. 0.
    int drain();
    // Any command with its argument bytes and no data reply.
    int sendCommand(std::string_view word, std::span<const std::uint8_t> args = {});

    // "WRD": reads a station-memory value; its ceil(n/2) bytes land in reply().
    int readStation(const MemoryLocation& at);
    // The same, with the value assembled little-endian and cut to its nibbles.
    int readStation(const MemoryLocation& at, std::uint32_t& value);
    // "WWR" with a raw selector and data bytes: TirrelLink 0, ClassicLink 1.
    int writeStation(std::uint8_t selector, std::uint8_t address,
                     std::span<const std::uint8_t> bytes);
    // "WWR" of a value in the station's raw units, little-endian in ceil(n/2) bytes.
    int writeStation(const MemoryLocation& at, std::uint32_t value);
    // "RRD": reads logger memory; data lands in reply().
    int readLogger(const MemoryLocation& at);
    int readLogger(const MemoryLocation& at, std::uint32_t& value);
    // "RWR" with a raw selector and data bytes.
    int writeLogger(std::uint8_t selector, std::uint8_t address,
                    std::span<const std::uint8_t> bytes);
    // "RWR" of a value, little-endian in ceil(n/2) bytes.
    int writeLogger(const MemoryLocation& at, std::uint32_t value);

    // "LOOP" for one packet; the packet itself is read with readPacket.
    int sendLoop();
    // "DMP"; ClassicLink reports -5 when the station does not take it twice.
    virtual int sendDump();
    // "SRD" with four zero bytes and its CRC-checked one-byte reply.
    int sendStatusRead();

    // n bytes one by one into reply(), each with the read time-out, keeping the
    // user interface alive between them. 0 or -1.
    int readPacket(std::size_t n);
    // dataBytes bytes and their two CRC bytes into reply() (data only counted);
    // 0, -1 for a missing byte, or the engine's CRC error (-9 / -4).
    int readCheckedReply(std::size_t dataBytes);

    // Sends "DBT"; when it is acknowledged runs body and then sends "EBT"
    // whatever body returned. The result is DBT's failure, else body's failure,
    // else EBT's result.
    int runTimedWrite(const std::function<int()>& body);

    // Part of dialing a remote station: see modem_dial.h. TirrelLink does not
    // read the modem's answer and reports 1.
    int dialStation(std::string_view number, const ModemDialSettings& settings,
                    const StationMessages& messages);

    // The data bytes of the last reply.
    std::span<const std::uint8_t> reply() const;

  protected:
    struct Command {
        std::string_view word;
        std::span<const std::uint8_t> args;
        std::size_t replyBytes = 0; // data bytes that follow the acknowledgement
    };
    // Sends one command with the engine's framing, takes its acknowledgement
    // and, for replyBytes > 0, its data.
    virtual int transact(const Command& command) = 0;
    // The data reply of an acknowledged command, as the model sends it.
    int readDataReply(std::size_t bytes);
    // The command bytes: word, arguments, carriage return.
    std::span<const std::uint8_t> buildCommand(const Command& command);

  private:
    int readValue(int result, int nibbles, std::uint32_t& value) const;

    SerialPort& port_;
    std::vector<std::uint8_t> command_;
    std::size_t replyLength_ = 0;
};

} // namespace bv::station
