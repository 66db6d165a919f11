#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bv::publish {

// The station directory's publishing folders and lists. Paths are built as text
// with "/", as the lists store them.
inline constexpr std::string_view kTemplatesDir = "templates";
inline constexpr std::string_view kImagesDir = "Images";
inline constexpr std::string_view kDownloadDir = "Download";
inline constexpr std::string_view kFileListName = "files.dat";
inline constexpr std::string_view kSendQueueName = "sendfiles.dat";

// The extension that marks a template, after its ".".
inline constexpr std::string_view kTemplateExtension = "htx";

// dir + "/" + name.
std::string joinPath(std::string_view dir, std::string_view name);

// An entry that names a drive on the system the lists come from is an absolute
// path here; any other entry is relative to the templates folder.
bool isAbsoluteEntry(std::string_view entry);

// The text after the last "/" (all of it when there is none).
std::string_view lastComponent(std::string_view path);

// The position of the "." of the last ".htx" (lower case) in the last
// component of entry, or npos when the entry is not a template.
std::size_t templateMark(std::string_view entry);

// Where a template's page is written: the station directory's templates
// folder, the base name, ".", the extension. The base name runs up to (not
// including) the last "." of the last component; it is that component alone
// for an absolute template and the whole relative path otherwise, so
// "sub/page.htx" gives "templates/sub/page.htm".
std::string convertedTemplatePath(std::string_view templatePath, std::string_view stationDir,
                                  std::string_view extension);

} // namespace bv::publish
