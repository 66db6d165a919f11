#pragma once

#include <istream>
#include <string>

namespace bv::publish {

struct TextLine {
    std::string text;   // without its line end
    bool ended = false; // the line ended in "\n" or "\r\n" (the last line may not)
};

// Reads one whole line of any length and strips its "\n" or "\r\n" (nothing
// else). False at the end of the input.
bool readLine(std::istream& in, TextLine& line);

} // namespace bv::publish
