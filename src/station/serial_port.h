#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/serial_device.h"

namespace bv::platform {
class Clock;
class EventLoop;
class Ui;
} // namespace bv::platform

namespace bv::station {

// Makes the one device a port uses for its whole life (a termios device in the
// programs, an in-memory wire in tests). Called once, at the first open.
using SerialDeviceFactory = std::function<std::unique_ptr<platform::SerialDevice>()>;
// The device path of port number n ("COM" n).
using PortPathFn = std::function<std::string(int port)>;

struct PortServices {
    platform::EventLoop& loop;
    const platform::Clock& clock;
    platform::Ui& ui;
    SerialDeviceFactory makeDevice;
    PortPathFn devicePath;
};

// What tells the two port instances apart.
struct PortTraits {
    std::size_t maxTextLength = 0;    // longest text writeText sends; 0 = no limit
    bool reportsCloseFailure = false; // "Error (%ld) closing com Port!" in a message box
    bool rtsCtsHandshake = false;     // RTS/CTS flow control on the 8-N-1 line
};

// How opening, closing or setting up a port ended. Each value has one meaning;
// the station link turns the failures into its own results (result_codes.h).
enum class PortResult {
    Done,            // opened, closed, time-outs set
    AlreadyOpen,     // open: this port is open already
    CannotOpen,      // open: the device is missing, in use or refused access
    SettingsRefused, // open: the device will not take these line settings
    OutOfMemory,     // open: no reply buffer
    NotOpen,         // close, setTimeouts: no port is open
    BadValue,        // setTimeouts: a negative time-out
    CloseFailed,     // close: the device reported an error (detail in lastError())
};

// Why the last read, write, open or close of a port failed.
enum class PortError {
    None,
    Timeout,       // no byte within the time-out (or the block-read stall limit)
    LineError,     // no byte: the line reported a parity or framing error
    UnexpectedAck, // ClassicLink: the station answered a command with another byte
    OpenFailed,    // the device could not be opened
    System,        // a device call failed: systemError() holds its errno
};

// The byte layer of the station link: one port at a time, one-byte reads with
// a time-out and a one-byte push-back, block reads with a stall limit, writes,
// draining and closing. Reads and writes give 0 when done and -1 when they
// failed (detail in lastError()); opening and closing give a PortResult.
class SerialPort {
  public:
    static constexpr std::size_t kReplyBufferBytes = 512;
    static constexpr int kByteTimeoutMs = 3000; // read and write time-out per byte after open
    static constexpr int kDrainTimeoutMs = 500; // quiet time that ends a drain
    static constexpr int kStallLimitMs = 2000;  // readBlock gives up after this long without a byte
    static constexpr int kDrainLimitMs = 10000; // a line that never goes quiet stops the drain
    static constexpr std::size_t kMaxLineLength = 255;

    SerialPort(PortServices services, PortTraits traits);
    virtual ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool isOpen() const;
    PortResult close();
    // Done, NotOpen or BadValue. The write time-out is kept for the
    // record only: a write gives up after the device's own stall limit (3 s
    // without progress on a termios line) whatever it says.
    PortResult setTimeouts(int readPerByteMs, int writePerByteMs);
    int readTimeoutMs() const { return readTimeoutMs_; }
    int writeTimeoutMs() const { return writeTimeoutMs_; }

    // The next byte (0..255), or -1 with the reason in lastError().
    int readByte();
    // Hands one byte back; the next readByte returns it without touching the line.
    void pushBack(std::uint8_t byte);
    // n bytes into the reply buffer from offset 0, giving up after the stall
    // limit without a byte; 0 or -1.
    int readBlock(std::size_t n);
    // n bytes one by one into the reply buffer from offset 0, each with the
    // read time-out; 0 or -1.
    int readBytes(std::size_t n);
    // Bytes until a read fails or 255 are stored. A zero byte from the line is
    // kept in the text.
    std::string readLine();
    // Discards input until the line has been quiet for 500 ms; empties the push-back. 0.
    int drain();
    // Reads and discards up to n bytes with 500 ms time-outs; 0 when all came,
    // else -1. The time-outs in force before are restored.
    int readCount(int n);
    int writeByte(std::uint8_t byte);
    int writeBytes(std::span<const std::uint8_t> bytes);
    // ClassicPort refuses (-1, nothing sent) a text longer than 299 characters.
    int writeText(std::string_view text);
    // Waits ms milliseconds, keeping the user interface alive.
    void pause(int ms);
    // Lets the user interface process what is pending.
    void pumpMessages();

    PortError lastError() const { return lastError_; }
    // The errno of the failed device call when lastError() is System, else 0.
    int systemError() const { return systemError_; }
    void setLastError(PortError error, int systemError = 0)
    {
        lastError_ = error;
        systemError_ = systemError;
    }
    const PortTraits& traits() const { return traits_; }

    // The reply buffer: replies are stored from offset 0. It exists while the
    // port is open (512 bytes at open).
    std::span<const std::uint8_t> reply() const { return reply_; }
    // Makes the reply buffer at least this large: 0, -1 when the port is
    // closed, -102 when it cannot grow.
    int reserveReply(std::size_t bytes);

    const platform::Clock& clock() { return services_.clock; }
    platform::Ui& ui() { return services_.ui; }

  protected:
    PortResult openPort(int port, const platform::LineSettings& settings);

  private:
    int readByteWithin(int timeoutMs);
    int failRead(const platform::ReadResult& result);
    int storeByte(std::size_t offset, int byte);

    PortServices services_;
    PortTraits traits_;
    std::unique_ptr<platform::SerialDevice> device_;
    bool open_ = false;
    std::vector<std::uint8_t> reply_;
    int pushBack_ = -1;
    PortError lastError_ = PortError::None;
    int systemError_ = 0;
    int readTimeoutMs_ = kByteTimeoutMs;
    int writeTimeoutMs_ = kByteTimeoutMs;
};

// The port of TirrelLink: 8-N-1, no flow control.
class TirrelPort : public SerialPort {
  public:
    explicit TirrelPort(PortServices services);
    // Opens port n ("COM" n) at baud, 8-N-1. The letter 'D' selects model D,
    // any other letter model E.
    PortResult open(int port, int baud, char model);
    char modelLetter() const { return model_; }

  private:
    char model_ = 'E';
};

// The port of ClassicLink and of the paging modem: RTS/CTS handshake; texts
// up to 299 characters; a failing close is shown to the user.
class ClassicPort : public SerialPort {
  public:
    static constexpr std::size_t kMaxTextLength = 299;
    explicit ClassicPort(PortServices services);
    // 8-N-1.
    PortResult open(int port, int baud);
    // 7-E-1 with parity checking, for the paging modem.
    PortResult openModem(int port, int baud);
};

} // namespace bv::station
