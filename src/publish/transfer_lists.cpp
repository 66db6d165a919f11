#include "publish/transfer_lists.h"

#include <filesystem>

#include "app/base/strings_publish.h"
#include "app/base/text_pattern.h"
#include "publish/publish_paths.h"
#include "publish/text_lines.h"

namespace bv::publish {

namespace {

bool fileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

TransferLists::TransferLists(const app::ConfigRecord& config, MarkerExpander expand,
                             station::EventLogFn logEvent)
    : config_(config), expand_(std::move(expand)), logEvent_(std::move(logEvent))
{
}

bool TransferLists::open()
{
    const std::string queuePath = joinPath(config_.stationDir, kSendQueueName);
    queue_.emplace(queuePath);
    queueWriteLogged_ = false;
    if (!queue_->isOpen()) {
        logEntry(app::strings::kSendQueueUnwritable, queuePath);
        return false;
    }
    const std::string listPath = joinPath(config_.stationDir, kFileListName);
    fileList_.close();
    fileList_.clear();
    fileList_.open(listPath, std::ios::binary);
    if (!fileList_.is_open()) {
        logEntry(app::strings::kFileListUnreadable, listPath);
        return false;
    }
    return true;
}

ListEntryResult TransferLists::queueListEntry()
{
    TextLine line;
    do {
        if (!readLine(fileList_, line))
            return ListEntryResult::EndOfList;
    } while (line.text.empty());
    entry_ = line.text;

    const bool absolute = isAbsoluteEntry(entry_);
    const std::string source = absolute ? entry_ : templatesPath(entry_);
    if (!fileExists(source)) {
        logEntry(app::strings::kFileNotFound.text, entry_);
        return ListEntryResult::Done;
    }
    const std::size_t mark = templateMark(entry_);
    if (mark == std::string::npos) {
        // A relative entry keeps its whole text as its name, subfolders included.
        queueFile(source, absolute ? lastComponent(entry_) : std::string_view(entry_));
        return ListEntryResult::Done;
    }
    const std::string output =
        convertedTemplatePath(entry_, config_.stationDir, config_.templateExtension);
    if (absolute) {
        const std::string_view component = lastComponent(entry_);
        pending_ = {entry_, output, pageName(component, mark - (entry_.size() - component.size()))};
        return ListEntryResult::ConvertStepwise;
    }
    if (reportConversion(convertTemplate(source, output, expand_), source, output))
        queueFile(output, pageName(entry_, mark));
    return ListEntryResult::Done;
}

TemplateJob TransferLists::openTemplateJob()
{
    TemplateJob job(pending_.templatePath, pending_.outputPath, expand_);
    reportConversion(job.result(), pending_.templatePath, pending_.outputPath);
    return job;
}

void TransferLists::queueConvertedTemplate(TemplateJob& job)
{
    const bool opened = job.result() == ConversionResult::Converted;
    const ConversionResult result = job.finish();
    // A job that did not open has been reported already.
    if (opened && reportConversion(result, pending_.templatePath, pending_.outputPath))
        queueFile(pending_.outputPath, pending_.name);
}

void TransferLists::queueImage(std::string_view fileName)
{
    queueFile(joinPath(joinPath(config_.stationDir, kImagesDir), fileName), fileName);
}

void TransferLists::queueArchiveFile()
{
    if (!config_.uploadArchiveFile)
        return;
    queueFile(joinPath(joinPath(config_.stationDir, kDownloadDir), config_.archiveFileName),
              config_.archiveFileName);
}

void TransferLists::queueFile(std::string_view sourcePath, std::string_view name)
{
    if (!queue_)
        return;
    bool written = true;
    if (config_.internetTransferEnabled)
        written = queue_->append({DeliveryKind::Ftp, std::string(sourcePath), std::string(name)});
    if (config_.localTransferEnabled) {
        // The Internet dialog stores the path with its final "/"; one typed by
        // hand into config.dat may lack it.
        std::string target = config_.localTransferPath;
        if (!target.empty() && target.back() != '/')
            target += '/';
        target += name;
        written = queue_->append({DeliveryKind::Local, std::string(sourcePath), target}) && written;
    }
    if (!written && !queueWriteLogged_) {
        logEntry(app::strings::kSendQueueUnwritable, joinPath(config_.stationDir, kSendQueueName));
        queueWriteLogged_ = true;
    }
}

std::string TransferLists::templatesPath(std::string_view entry) const
{
    return joinPath(joinPath(config_.stationDir, kTemplatesDir), entry);
}

std::string TransferLists::pageName(std::string_view text, std::size_t mark) const
{
    std::string name(text.substr(0, mark + 1));
    name += config_.templateExtension;
    return name;
}

void TransferLists::logEntry(std::string_view message, std::string_view argument)
{
    if (logEvent_)
        logEvent_(app::fillPattern(message, {argument}));
}

bool TransferLists::reportConversion(ConversionResult result, std::string_view templatePath,
                                     std::string_view outputPath)
{
    switch (result) {
    case ConversionResult::Converted:
        return true;
    case ConversionResult::TemplateUnreadable:
        logEntry(app::strings::kTemplateUnreadable, templatePath);
        break;
    case ConversionResult::OutputUnwritable:
        logEntry(app::strings::kPageUnwritable, outputPath);
        break;
    case ConversionResult::OutputIsTemplate:
        logEntry(app::strings::kPageWouldReplaceTemplate, templatePath);
        break;
    }
    return false;
}

} // namespace bv::publish
