#include "setup/installation.h"

#include <algorithm>

#include "app/base/atomic_file.h"
#include "app/base/shell_helpers.h"

namespace bv::setup {
namespace {

namespace fs = std::filesystem;

bool inList(std::string_view name, std::initializer_list<std::string_view> list)
{
    return std::ranges::any_of(
        list, [name](std::string_view e) { return app::equalsIgnoringCase(name, e); });
}

} // namespace

bool isExcludedName(std::string_view name)
{
    return inList(name, {"setup", "Setup.exe", "Update.exe", "Install.exe", "Install.hdr"});
}

bool isUserFile(std::string_view name)
{
    return inList(name,
                  {"config.dat", "files.dat", "pager.dat", "alarm.dat", "pager.inf", "event.log"});
}

fs::path installDirectoryOf(std::string_view typed)
{
    std::string text(typed);
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::optional<DirectoryFailure> createDirectoryLevels(const fs::path& dir)
{
    fs::path level;
    for (const fs::path& part : dir) {
        level /= part;
        if (level == level.root_path())
            continue;
        std::error_code error;
        if (fs::create_directory(level, error) || fs::is_directory(level))
            continue;
        return DirectoryFailure{level,
                                error ? error : std::make_error_code(std::errc::not_a_directory)};
    }
    return std::nullopt;
}

std::vector<std::string> listDistribution(const fs::path& dir, std::error_code& error)
{
    std::vector<std::string> names;
    fs::directory_iterator entries(dir, error);
    if (error)
        return names;
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (entry.is_regular_file(typeError) && !entry.is_symlink(typeError) &&
            !isExcludedName(name))
            names.push_back(name);
    }
    std::ranges::sort(names);
    return names;
}

std::optional<std::string> missingProofFile(const InstallHeader& header, const fs::path& installDir)
{
    for (std::size_t line = 7; line <= kHeaderLines; ++line) {
        const std::optional<std::string>& name = header.lines[line - 1];
        if (!name || name->empty())
            continue;
        std::error_code error;
        if (!fs::is_regular_file(installDir / *name, error))
            return *name;
    }
    return std::nullopt;
}

std::error_code copyInstallFile(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    if (isUserFile(to.filename().string()) && fs::exists(fs::symlink_status(to, error)))
        return {}; // the user's settings and logs stay as they are
    return app::copyFileAtomically(from, to);
}

std::optional<SubdirectoryFailure> createSubdirectories(const fs::path& installDir,
                                                        TemplatesState& templates)
{
    templates = TemplatesState::Existed;
    for (const std::string_view name : {kImagesDir, kDownloadDir, kTemplatesDir}) {
        const fs::path dir = installDir / name;
        std::error_code error;
        const bool created = fs::create_directory(dir, error);
        if (!created && !fs::is_directory(dir))
            return SubdirectoryFailure{
                dir, error ? error : std::make_error_code(std::errc::not_a_directory)};
        if (name == kTemplatesDir && created)
            templates = TemplatesState::Created;
    }
    return std::nullopt;
}

std::optional<CopyFailure> placeSampleTemplates(const fs::path& from, const fs::path& installDir)
{
    for (const std::string_view sample : kSampleFiles) {
        const std::string name(sample);
        if (!fs::exists(from / name))
            continue;
        if (const std::error_code error =
                copyInstallFile(from / name, installDir / kTemplatesDir / name))
            return CopyFailure{name, error};
        // Installing into the distribution directory itself keeps its samples.
        std::error_code ignored;
        if (!fs::equivalent(from / name, installDir / name, ignored))
            fs::remove(installDir / name, ignored);
    }
    return std::nullopt;
}

} // namespace bv::setup
