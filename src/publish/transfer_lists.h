#pragma once

#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "app/base/config_record.h"
#include "publish/send_queue.h"
#include "publish/template_job.h"
#include "station/modem_dial.h"

namespace bv::publish {

// What one line of "files.dat" came to.
enum class ListEntryResult {
    Done = 1,            // queued, or skipped with an event-log line
    ConvertStepwise = 2, // an absolute template: convert pendingTemplate() step by step
    EndOfList = -1,
};

// An absolute template waiting for its step-by-step conversion.
struct PendingTemplate {
    std::string templatePath; // the entry itself
    std::string outputPath;   // its page in the templates folder
    std::string name;         // the page's name on the destination side
};

// The transfer list "files.dat" and the send queue "sendfiles.dat" of one
// transfer cycle (settings from config: stationDir, templateExtension, the two
// delivery switches, localTransferPath, uploadArchiveFile, archiveFileName).
// Every failure is written to the event log; nothing is queued for a file that
// is missing or a template whose page was not made.
class TransferLists {
  public:
    TransferLists(const app::ConfigRecord& config, MarkerExpander expand,
                  station::EventLogFn logEvent);

    // Empties "sendfiles.dat" and opens "files.dat"; false (logged) when either
    // cannot be opened, and the cycle ends.
    bool open();
    // Handles the next line of "files.dat".
    ListEntryResult queueListEntry();
    // The entry last read, for the status line.
    const std::string& currentEntry() const { return entry_; }
    const PendingTemplate& pendingTemplate() const { return pending_; }
    // Opens the step-by-step conversion of pendingTemplate(); a job that did
    // not open is logged, and queueConvertedTemplate then queues nothing.
    TemplateJob openTemplateJob();
    // Finishes job (the one openTemplateJob gave) and queues its page unless it
    // failed (logged).
    void queueConvertedTemplate(TemplateJob& job);
    // An image in the Images folder, by its bare file name.
    void queueImage(std::string_view fileName);
    // The archive file of the Download folder, when it is to be uploaded.
    void queueArchiveFile();
    // The F entry (Internet transfer on) and then the L entry (local transfer
    // on) of one file.
    void queueFile(std::string_view sourcePath, std::string_view name);
    // Closes "files.dat" (at the end of the list, or when the cycle ends).
    void closeFileList() { fileList_.close(); }

    SendQueue& sendQueue() { return *queue_; }

  private:
    std::string templatesPath(std::string_view entry) const;
    std::string pageName(std::string_view text, std::size_t mark) const;
    void logEntry(std::string_view message, std::string_view argument);
    bool reportConversion(ConversionResult result, std::string_view templatePath,
                          std::string_view outputPath);

    const app::ConfigRecord& config_;
    MarkerExpander expand_;
    station::EventLogFn logEvent_;
    std::ifstream fileList_;
    std::optional<SendQueue> queue_;
    bool queueWriteLogged_ = false;
    std::string entry_;
    PendingTemplate pending_;
};

} // namespace bv::publish
