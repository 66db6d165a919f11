#include "app/shell/range_dialog.h"

#include "app/base/dialog_host.h"
#include "app/base/shell.h"
#include "app/base/strings_shell.h"
#include "app/base/template_builder.h"
#include "app/shell/time_edit.h"

namespace bv::app {

using platform::ControlKind;
using namespace range_dialog;

namespace {

constexpr int kDaysGroup = 1401;
constexpr int kFromLabel = 1402;
constexpr int kToLabel = 1403;
// Room for "12:00p" and a little more.
constexpr int kTimeWidthChars = 8;
constexpr int kTimeMaxLength = 19;

platform::DialogTemplate rangeTemplate()
{
    TemplateBuilder b("SETUP_RANGE", "Range", kHelpTopic);
    b.add(kEnableRange, ControlKind::CheckBox, "Enable Range", 0).columnSpan = 4;
    b.add(kDaysGroup, ControlKind::GroupBox, "Days", 1).columnSpan = 4;
    // Monday first on screen, as the week of a timetable.
    const char* const names[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int column = 0; column < 7; ++column) {
        const int day = (column + 1) % 7;
        b.add(kDayButtons[day], ControlKind::CheckBox, names[day], 0, column, kDaysGroup);
    }
    b.add(kFromLabel, ControlKind::StaticText, "From:", 2, 0);
    platform::ControlSpec& from = b.add(kFromEdit, ControlKind::Edit, "", 2, 1);
    b.add(kToLabel, ControlKind::StaticText, "To:", 2, 2);
    platform::ControlSpec& to = b.add(kToEdit, ControlKind::Edit, "", 2, 3);
    for (platform::ControlSpec* edit : {&from, &to}) {
        edit->widthChars = kTimeWidthChars;
        edit->maxLength = kTimeMaxLength;
    }
    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(platform::IdCancel, "Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

} // namespace

RangeDialog::RangeDialog(Shell& shell, DayRange& range)
    : Dialog(rangeTemplate(), kHelpButton), shell_(shell), range_(range)
{
}

void RangeDialog::handleOpen(platform::DialogView& view)
{
    for (std::size_t day = 0; day < range_.days.size(); ++day)
        view.setChecked(kDayButtons[day], static_cast<bool>(range_.days[day]));
    view.setChecked(kEnableRange, static_cast<bool>(range_.enabled));
    view.setText(kFromEdit, timeEditText(shell_, range_.fromMin));
    view.setText(kToEdit, timeEditText(shell_, range_.toMin));
}

void RangeDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    if (id == platform::IdOk)
        confirm(view);
    else if (id == platform::IdCancel)
        end(view, platform::IdCancel);
}

void RangeDialog::confirm(platform::DialogView& view)
{
    // The range itself changes only when the dialog closes with OK.
    DayRange chosen = range_;
    for (std::size_t day = 0; day < chosen.days.size(); ++day)
        chosen.days[day] = Flag(view.checked(kDayButtons[day]));
    chosen.enabled = Flag(view.checked(kEnableRange));
    if (!readTimeEdit(shell_, view, kFromEdit, strings::kInvalidFromTime, chosen.fromMin) ||
        !readTimeEdit(shell_, view, kToEdit, strings::kInvalidToTime, chosen.toMin))
        return;
    if (chosen.toMin < chosen.fromMin) {
        shell_.warningBox(strings::kFromAfterTo.text, BoxOwner::ActiveWindow);
        view.setFocus(kToEdit);
        return;
    }
    range_ = chosen;
    end(view, platform::IdOk);
}

int runRangeDialog(DialogHost& host, Shell& shell, DayRange& range)
{
    RangeDialog dialog(shell, range);
    return host.runModal(dialog);
}

} // namespace bv::app
