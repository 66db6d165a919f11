#include "paging/alarm_codes.h"

#include <fstream>

#include "app/base/atomic_file.h"
#include "app/base/shell_helpers.h"

namespace bv::paging {

std::optional<AlarmCodes> readAlarmCodes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    AlarmCodes codes;
    std::string line;
    for (std::string& code : codes) {
        if (!std::getline(in, line))
            break;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        code = line.substr(0, kMaxAlarmCodeChars);
    }
    return codes;
}

bool writeAlarmCodes(const std::filesystem::path& file, const AlarmCodes& codes)
{
    std::string text;
    for (const std::string& code : codes)
        text += code.substr(0, kMaxAlarmCodeChars) + '\n';
    return !app::writeFileAtomically(file, text, kSettingsFileMode);
}

std::string pageCode(std::string_view code, EntryKind kind)
{
    const bool valid =
        kind == EntryKind::AlphaNumeric ? app::isAlphanumericCode(code) : app::isNumericCode(code);
    return std::string(valid ? code : kInvalidCodeText);
}

} // namespace bv::paging
