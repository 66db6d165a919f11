#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace bv::app {

// Fills the printf-style placeholders of a string-table text ("%s", "%d",
// "%ld") with args in order, the numbers already written as text by the
// caller. "%%" gives "%"; a placeholder without an argument left is dropped.
//
//   fillPattern(strings::kConvertedTemplate.text, {entry})
std::string fillPattern(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace bv::app
