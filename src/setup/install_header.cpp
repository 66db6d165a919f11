#include "setup/install_header.h"

#include <fstream>
#include <sstream>

namespace bv::setup {

std::string InstallHeader::line(std::size_t number) const
{
    if (number < 1 || number > kHeaderLines)
        return {};
    return lines[number - 1].value_or("");
}

InstallHeader parseInstallHeader(std::string_view text)
{
    InstallHeader header;
    std::size_t at = 0;
    for (std::size_t index = 0; index < kHeaderLines && at < text.size(); ++index) {
        const std::size_t end = text.find('\n', at);
        std::string_view line =
            text.substr(at, end == std::string_view::npos ? text.npos : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        header.lines[index] = std::string(line.substr(0, kMaxHeaderLineLength));
    }
    return header;
}

HeaderRead readInstallHeader(const std::filesystem::path& dir, InstallHeader& header)
{
    std::ifstream file(dir / kInstallHeaderName, std::ios::binary);
    if (!file)
        return HeaderRead::Missing;
    std::stringstream text;
    text << file.rdbuf();
    header = parseInstallHeader(text.str());
    return header.lines[0] ? HeaderRead::Read : HeaderRead::Invalid;
}

} // namespace bv::setup
