#include "app/base/text_pattern.h"

namespace bv::app {

std::string fillPattern(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    const std::string_view* next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        std::size_t end = i + 1;
        if (pattern[end] == '%') {
            out += '%';
            i = end;
            continue;
        }
        if (pattern[end] == 'l')
            ++end;
        if (end < pattern.size() && (pattern[end] == 's' || pattern[end] == 'd')) {
            if (next != args.end())
                out += *next++;
            i = end;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

} // namespace bv::app
