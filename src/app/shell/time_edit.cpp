#include "app/shell/time_edit.h"

#include <string>

#include "app/base/shell.h"
#include "units/date_time.h"

namespace bv::app {

bool readTimeEdit(Shell& shell, platform::DialogView& view, int editId, std::string_view question,
                  std::int32_t& minutes)
{
    units::DateTime t;
    t.minutesOfDay = minutes;
    t.splitMinutes();
    if (t.parseTime(view.text(editId), shell.regional()) == 0) {
        minutes = t.minutesOfDay;
        return true;
    }
    if (shell.askBox(question, BoxOwner::ActiveWindow) == platform::MessageResult::Yes) {
        view.setFocus(editId);
        return false;
    }
    return true;
}

std::string timeEditText(Shell& shell, std::int32_t minutes)
{
    units::DateTime t;
    t.minutesOfDay = minutes;
    return t.timeText(shell.regional());
}

} // namespace bv::app
