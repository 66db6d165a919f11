#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dialog_view.h"

namespace bv::app {

class Shell;

// Reads a time-of-day edit with the regional time parser into minutes (a text
// with the hour alone keeps the minute minutes held). A text the parser
// rejects asks question (Yes/No, "Warning"): Yes puts the focus on the edit
// and returns false, so the dialog stays open; No keeps minutes as they were.
bool readTimeEdit(Shell& shell, platform::DialogView& view, int editId, std::string_view question,
                  std::int32_t& minutes);

// The time of day of minutes as the regional settings write it.
std::string timeEditText(Shell& shell, std::int32_t minutes);

} // namespace bv::app
