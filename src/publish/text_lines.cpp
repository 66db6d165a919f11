#include "publish/text_lines.h"

namespace bv::publish {

bool readLine(std::istream& in, TextLine& line)
{
    if (!std::getline(in, line.text))
        return false;
    line.ended = !in.eof();
    if (line.ended && !line.text.empty() && line.text.back() == '\r')
        line.text.pop_back();
    return true;
}

} // namespace bv::publish
