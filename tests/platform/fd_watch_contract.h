#pragma once

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>

#include <gtest/gtest.h>

#include "platform/event_loop.h"

// What every real EventLoop promises about watched descriptors; instantiated
// for the poll loop (tests/platform) and the Qt loop (tests/gui). Real time, in
// waits of a few milliseconds with room for a loaded machine.
namespace bv::platform::contract {

class Pipe {
  public:
    Pipe() { EXPECT_EQ(::pipe(fds_), 0); }
    ~Pipe()
    {
        closeEnd(0);
        closeEnd(1);
    }
    int readEnd() const { return fds_[0]; }
    int writeEnd() const { return fds_[1]; }
    void writeByte(char c) { ASSERT_EQ(::write(fds_[1], &c, 1), 1); }
    // The byte read, or -1 at the end of the data, -2 on an error.
    int readByte()
    {
        char c = 0;
        const auto n = ::read(fds_[0], &c, 1);
        return n == 1 ? c : n == 0 ? -1 : -2;
    }
    void closeEnd(int end)
    {
        if (fds_[end] >= 0)
            ::close(fds_[end]);
        fds_[end] = -1;
    }

  private:
    int fds_[2] = {-1, -1};
};

template <class Loop> class FdWatchContract : public testing::Test {
  protected:
    // Pauses in short steps until done() holds; false after a second.
    bool waitFor(const std::function<bool()>& done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (!done() && std::chrono::steady_clock::now() < end)
            loop_.pause(2);
        return done();
    }

    Loop loop_;
};

TYPED_TEST_SUITE_P(FdWatchContract);

TYPED_TEST_P(FdWatchContract, ReadableWakesAPauseRepeatsWhileUnreadAndStopsWhenUnwatched)
{
    EventLoop& loop = this->loop_;
    Pipe pipe;
    int calls = 0;
    FdEvents seen = 0;
    const WatchId watch = loop.watchFd(pipe.readEnd(), FdReadable, [&](FdEvents ready) {
        ++calls;
        seen |= ready;
    });
    loop.pump();
    EXPECT_EQ(calls, 0);

    // A timer writes during a pause; the handler runs within that pause.
    TimerId writer = 0;
    writer = loop.startTimer(5, [&] {
        pipe.writeByte('x');
        loop.stopTimer(writer);
    });
    loop.pause(40);
    EXPECT_GE(calls, 1);
    EXPECT_EQ(seen, FdReadable);

    // The byte is still unread, so the watch keeps reporting it.
    const int before = calls;
    EXPECT_TRUE(this->waitFor([&] { return calls > before; }));

    loop.unwatchFd(watch);
    loop.unwatchFd(watch); // harmless
    const int atUnwatch = calls;
    loop.pause(20);
    EXPECT_EQ(calls, atUnwatch);
    EXPECT_EQ(pipe.readByte(), 'x');
}

TYPED_TEST_P(FdWatchContract, WritableAndHangUpAreReported)
{
    EventLoop& loop = this->loop_;
    Pipe pipe;
    int writableCalls = 0;
    WatchId writable = 0;
    writable = loop.watchFd(pipe.writeEnd(), FdWritable, [&](FdEvents ready) {
        EXPECT_EQ(ready, FdWritable);
        ++writableCalls;
        loop.unwatchFd(writable); // from its own handler
    });
    EXPECT_TRUE(this->waitFor([&] { return writableCalls > 0; }));

    int endSeen = 0;
    const WatchId readable = loop.watchFd(pipe.readEnd(), FdReadable, [&](FdEvents ready) {
        EXPECT_EQ(ready, FdReadable);
        endSeen = pipe.readByte();
    });
    pipe.closeEnd(1);
    EXPECT_TRUE(this->waitFor([&] { return endSeen != 0; }));
    EXPECT_EQ(endSeen, -1);
    EXPECT_EQ(writableCalls, 1);
    loop.unwatchFd(readable);
}

// libcurl's pattern: a handler drops its own watch and watches the same
// descriptor again for another direction, and drops a second watch that is
// ready in the same turn.
TYPED_TEST_P(FdWatchContract, AHandlerMayReplaceItsOwnWatchAndRemoveAnother)
{
    EventLoop& loop = this->loop_;
    int pair[2] = {-1, -1};
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    Pipe other;
    other.writeByte('o');
    ASSERT_EQ(::write(pair[1], "s", 1), 1);

    int otherCalls = 0;
    int readCalls = 0;
    int writeCalls = 0;
    WatchId otherWatch = 0;
    WatchId socketWatch = 0;
    WatchId writeWatch = 0;
    socketWatch = loop.watchFd(pair[0], FdReadable, [&](FdEvents) {
        ++readCalls;
        loop.unwatchFd(socketWatch);
        loop.unwatchFd(otherWatch);
        writeWatch = loop.watchFd(pair[0], FdWritable, [&](FdEvents ready) {
            EXPECT_EQ(ready, FdWritable);
            ++writeCalls;
        });
    });
    otherWatch = loop.watchFd(other.readEnd(), FdReadable, [&](FdEvents) { ++otherCalls; });

    EXPECT_TRUE(this->waitFor([&] { return writeCalls > 0; }));
    EXPECT_EQ(readCalls, 1);
    // The other pipe may have been reported before the socket, never after.
    EXPECT_LE(otherCalls, 1);
    loop.unwatchFd(writeWatch);
    ::close(pair[0]);
    ::close(pair[1]);
}

REGISTER_TYPED_TEST_SUITE_P(FdWatchContract,
                            ReadableWakesAPauseRepeatsWhileUnreadAndStopsWhenUnwatched,
                            WritableAndHangUpAreReported,
                            AHandlerMayReplaceItsOwnWatchAndRemoveAnother);

} // namespace bv::platform::contract
