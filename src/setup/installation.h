#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "publish/publish_paths.h"
#include "setup/install_header.h"

// The steps of an installation from a distribution directory into an
// installation directory, without any user interface.
namespace bv::setup {

// The subdirectories the main program uses.
inline constexpr std::string_view kImagesDir = "Images";
inline constexpr std::string_view kDownloadDir = "Download";
// The templates folder, spelled as the program reads it.
using publish::kTemplatesDir;

// The sample templates that go into a new "templates" directory: a page with
// every marker and a page with a scrolling ticker and its script.
inline constexpr std::array<std::string_view, 3> kSampleFiles = {"sample.htx", "ticker.htm",
                                                                 "ticker.js"};

// Distribution files that are never copied (compared without regard to case):
// the installer itself and its header.
bool isExcludedName(std::string_view name);
// The user's own files, which an installation never replaces.
bool isUserFile(std::string_view name);

// The installation directory as typed: without a final "/" (the root stays "/").
std::filesystem::path installDirectoryOf(std::string_view typed);

struct DirectoryFailure {
    std::filesystem::path level; // the level that could not be made
    std::error_code error;
};

// Makes the directory level by level; a level that already is a directory is
// fine, anything else at a level (a file, a refusal) is the failure.
std::optional<DirectoryFailure> createDirectoryLevels(const std::filesystem::path& dir);

// The names of the distribution directory to copy, sorted: every regular file
// but the excluded ones. Empty with error set when the directory cannot be read.
std::vector<std::string> listDistribution(const std::filesystem::path& dir, std::error_code& error);

// The proof of an earlier installation: the files of lines 7 to 10 of the
// header that are present must exist in the installation directory. Returns
// the first one missing. A header without line 7 asks for no proof.
std::optional<std::string> missingProofFile(const InstallHeader& header,
                                            const std::filesystem::path& installDir);

struct CopyFailure {
    std::string name;
    std::error_code error;
};

// Copies each name from the distribution into the installation directory,
// replacing what is there (atomically, regular files only, mode bits kept),
// except the user's own files where they already exist. onEachFile runs before
// every copy (the cursor animation). Stops at the first failure.
template <typename EachFile>
std::optional<CopyFailure>
copyDistribution(const std::filesystem::path& from, const std::filesystem::path& to,
                 const std::vector<std::string>& names, EachFile onEachFile);

enum class TemplatesState { Created, Existed };

struct SubdirectoryFailure {
    std::filesystem::path dir;
    std::error_code error;
};

// Makes "Images", "Download" and "templates"; a directory that already exists
// is fine. templates tells whether "templates" was made now.
std::optional<SubdirectoryFailure> createSubdirectories(const std::filesystem::path& installDir,
                                                        TemplatesState& templates);

// Copies the sample templates from the distribution into the new "templates"
// and removes the copies the general copy put into the installation directory.
std::optional<CopyFailure> placeSampleTemplates(const std::filesystem::path& from,
                                                const std::filesystem::path& installDir);

std::error_code copyInstallFile(const std::filesystem::path& from, const std::filesystem::path& to);

template <typename EachFile>
std::optional<CopyFailure>
copyDistribution(const std::filesystem::path& from, const std::filesystem::path& to,
                 const std::vector<std::string>& names, EachFile onEachFile)
{
    for (const std::string& name : names) {
        onEachFile();
        if (const std::error_code error = copyInstallFile(from / name, to / name))
            return CopyFailure{name, error};
    }
    return std::nullopt;
}

} // namespace bv::setup
