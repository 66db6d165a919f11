#pragma once

#include <string>
#include <string_view>

namespace bv::paging {

// The text with its first "%s" or "%d" replaced by value, as the program's
// texts of the string table are filled in.
std::string fillIn(std::string_view pattern, std::string_view value);

} // namespace bv::paging
