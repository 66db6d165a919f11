#pragma once

#include <functional>
#include <string>

namespace bv::publish {

// What one line of "files.dat" came to, as the cycle sees it.
enum class ListStep {
    Done,            // queued, or skipped with an event-log line
    ConvertStepwise, // an absolute template: convert it line by line
    End,             // no further entry
};

// The work of one transfer cycle, unit by unit, as TransferWindow steps
// through it: the station, the transfer lists, the images and the delivery.
// One object per cycle; it owns the cycle's open files, station port and
// FTP connection, and finish() gives them all back.
class TransferWork {
  public:
    virtual ~TransferWork() = default;

    // Reads the station's current conditions; the port stays open.
    virtual void pollStation() = 0;
    virtual bool dataValid() const = 0;

    // Empties "sendfiles.dat" and opens "files.dat"; false ends the cycle.
    virtual bool openLists() = 0;
    virtual ListStep queueListEntry() = 0;
    // The list entry last read, for the status line.
    virtual std::string currentEntry() const = 0;
    virtual void closeFileList() = 0;
    // The template entry queueListEntry asked to convert line by line.
    virtual void openTemplateJob() = 0;
    // One line; false at the end of the template.
    virtual bool convertNextLine() = 0;
    virtual void queueConvertedTemplate() = 0;

    // Makes current-weather image or archive graph index and queues it when
    // it was written; a failure is logged by the image code.
    virtual void makeCurrentImage(int index) = 0;
    virtual void makeArchiveGraph(int index) = 0;
    virtual void queueArchiveFile() = 0;

    // Connects (dial-up, FTP, local directory) and calls done later on the
    // event loop with whether anything may be delivered.
    virtual void openDelivery(std::function<void(bool ready)> done) = 0;
    // Delivers the next queue entry and calls done later on the event loop;
    // false, without calling done, when the queue holds no further entry.
    virtual bool deliverNext(std::function<void()> done) = 0;

    // Closes what is open: files, the station link (a station wired to the
    // port; one on a modem was closed before connecting), the FTP client and
    // a dial-up connection that is not to stay up. A delivery under way is
    // abandoned and its done never runs. Called exactly once per cycle.
    virtual void finish() = 0;
};

} // namespace bv::publish
