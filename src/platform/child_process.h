#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace bv::platform {

// A program this process started, in a process group of its own.
class ChildProcess {
  public:
    virtual ~ChildProcess() = default;
    // Whether it still runs; an ended child is reaped by this call.
    virtual bool running() = 0;
    // Ends a running child: SIGTERM to its group, SIGKILL to the group when it
    // has not ended a moment later; the child is reaped. False when it had
    // already ended (nothing is signalled: its id may belong to a stranger now).
    virtual bool terminate() = 0;
    // What the child wrote to its standard output and error since the last
    // call, without waiting; empty when nothing new came or the output was
    // not captured.
    virtual std::string takeOutput() = 0;
    // The exit status once running() has found it ended; -1 for a child
    // ended by a signal or still running.
    virtual int exitStatus() const = 0;
    // Lets the child run on after this object is gone (a dial-up link that
    // outlives the command that made it).
    virtual void release() = 0;
};

// How a child is started beyond its words and directory.
struct SpawnOptions {
    bool captureOutput = false; // standard output and error into takeOutput()
    // Text the child reads from descriptor 3 (a pipe), e.g. a password, so it
    // never appears among the arguments. Empty: descriptor 3 is not opened.
    std::string secretOnFd3;
};

// Starts programs without a shell: words[0] is the program (searched on PATH
// when it holds no "/"), the rest its arguments.
class ProcessStarter {
  public:
    virtual ~ProcessStarter() = default;
    virtual std::unique_ptr<ChildProcess> start(const std::vector<std::string>& words,
                                                const std::filesystem::path& workingDir,
                                                std::error_code& error,
                                                const SpawnOptions& options = {}) = 0;
};

// The words of a command line as a shell would split it for a simple
// command: blanks separate words, '...' and "..." keep blanks, a backslash
// outside single quotes takes the next character as it is. No variables,
// globs or redirections. Empty when the text holds no word or an open quote.
std::vector<std::string> splitCommandWords(const std::string& text);

} // namespace bv::platform
