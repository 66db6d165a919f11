#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace bv::publish {

// A marker in a template line: "<!--", a name and "-->", the delimiters
// included. An empty comment "<!---->" is not a marker.
struct MarkerSpan {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The first marker that starts at or after from, or nothing.
std::optional<MarkerSpan> findMarker(std::string_view line, std::size_t from);

// The replacement of one whole marker, or nothing to copy the marker unchanged.
using MarkerExpander = std::function<std::optional<std::string>(std::string_view marker)>;

// Appends line to out with every marker that expand replaces replaced; the
// search goes on after each marker, replaced or not.
void expandLine(std::string_view line, const MarkerExpander& expand, std::string& out);

} // namespace bv::publish
