#include "publish/publish_paths.h"

namespace bv::publish {

namespace {
constexpr char kSeparator = '/';
} // namespace

std::string joinPath(std::string_view dir, std::string_view name)
{
    std::string path(dir);
    path += kSeparator;
    path += name;
    return path;
}

bool isAbsoluteEntry(std::string_view entry)
{
    return !entry.empty() && entry.front() == kSeparator;
}

std::string_view lastComponent(std::string_view path)
{
    const std::size_t slash = path.rfind(kSeparator);
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::size_t templateMark(std::string_view entry)
{
    const std::size_t componentStart = entry.size() - lastComponent(entry).size();
    const std::size_t dot = entry.rfind(std::string(".") + std::string(kTemplateExtension));
    return dot == std::string_view::npos || dot < componentStart ? std::string_view::npos : dot;
}

std::string convertedTemplatePath(std::string_view templatePath, std::string_view stationDir,
                                  std::string_view extension)
{
    const std::string_view component = lastComponent(templatePath);
    std::string_view base = isAbsoluteEntry(templatePath) ? component : templatePath;
    const std::size_t dot = component.rfind('.');
    if (dot != std::string_view::npos)
        base.remove_suffix(component.size() - dot);
    std::string path = joinPath(joinPath(stationDir, kTemplatesDir), base);
    path += '.';
    path += extension;
    return path;
}

} // namespace bv::publish
