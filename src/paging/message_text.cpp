#include "paging/message_text.h"

#include <algorithm>

namespace bv::paging {

std::string fillIn(std::string_view pattern, std::string_view value)
{
    const std::size_t s = pattern.find("%s");
    const std::size_t d = pattern.find("%d");
    const std::size_t at = std::min(s, d);
    if (at == std::string_view::npos)
        return std::string(pattern);
    std::string text(pattern.substr(0, at));
    text += value;
    text += pattern.substr(at + 2);
    return text;
}

} // namespace bv::paging
