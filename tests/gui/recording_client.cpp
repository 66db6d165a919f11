#include "recording_client.h"

namespace bv::guitest {

using platform::ControlKind;
using platform::ControlSpec;
using platform::Region;

platform::DialogTemplate everyKindTemplate()
{
    platform::DialogTemplate t;
    t.name = "EVERY_KIND";
    t.title = "Every Kind";
    t.helpTopic = 7;
    auto add = [&t](int id, ControlKind kind, std::string caption, int row,
                    int column = 0) -> ControlSpec& {
        ControlSpec& c = t.controls.emplace_back();
        c.id = id;
        c.kind = kind;
        c.caption = std::move(caption);
        c.row = row;
        c.column = column;
        return c;
    };
    add(ids::kLabel, ControlKind::StaticText, "&Name:", 0);
    ControlSpec& edit = add(ids::kEdit, ControlKind::Edit, "first", 0, 1);
    edit.maxLength = 12;
    edit.widthChars = 20;
    add(ids::kNumber, ControlKind::NumberEdit, "", 1, 1);
    add(ids::kPassword, ControlKind::PasswordEdit, "", 2, 1);
    add(ids::kNotes, ControlKind::MultiLineEdit, "", 3).columnSpan = 2;
    add(ids::kCheck, ControlKind::CheckBox, "&Check", 4);
    add(ids::kGroup, ControlKind::GroupBox, "Choice", 5);
    add(ids::kRadioA, ControlKind::RadioButton, "A", 0).parent = ids::kGroup;
    add(ids::kRadioB, ControlKind::RadioButton, "B", 1).parent = ids::kGroup;
    add(ids::kList, ControlKind::ListBox, "", 6).horizontalExtent = 60;
    add(ids::kMultiList, ControlKind::ListBox, "", 6, 1).multiSelect = true;
    add(ids::kDropDown, ControlKind::DropDownList, "", 7);
    ControlSpec& spin = add(ids::kSpin, ControlKind::SpinBox, "", 8);
    spin.minimum = 1;
    spin.maximum = 12;
    add(ids::kSlider, ControlKind::Slider, "", 8, 1).maximum = 50;
    add(ids::kProgress, ControlKind::ProgressBar, "", 9).columnSpan = 2;
    add(ids::kPicture, ControlKind::Picture, "LOGO", 10);
    add(ids::kPlainLabel, ControlKind::StaticText, "Fish && &Chips", 10, 1);
    add(ids::kApply, ControlKind::PushButton, "&Apply", 11);
    ControlSpec& ok = add(platform::IdOk, ControlKind::PushButton, "OK", 0, 0);
    ok.region = Region::ButtonRow;
    ok.isDefault = true;
    add(platform::IdCancel, ControlKind::PushButton, "Cancel", 0, 1).region = Region::ButtonRow;
    add(ids::kHelp, ControlKind::PushButton, "&Help", 0, 2).region = Region::ButtonRow;
    return t;
}

} // namespace bv::guitest
