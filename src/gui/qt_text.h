#pragma once

#include <string_view>

#include <QString>

namespace bv::gui {

// A text of the core (UTF-8) as Qt shows it.
inline QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace bv::gui
