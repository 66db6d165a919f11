#include "recording_client.h"

#include "app/base/template_builder.h"

namespace bv::guitest {

using platform::ControlKind;
using platform::ControlSpec;

platform::DialogTemplate everyKindTemplate()
{
    app::TemplateBuilder b("EVERY_KIND", "Every Kind", 7);
    b.add(ids::kLabel, ControlKind::StaticText, "&Name:", 0);
    ControlSpec& edit = b.add(ids::kEdit, ControlKind::Edit, "first", 0, 1);
    edit.maxLength = 12;
    edit.widthChars = 20;
    b.add(ids::kNumber, ControlKind::NumberEdit, "", 1, 1);
    b.add(ids::kPassword, ControlKind::PasswordEdit, "", 2, 1);
    b.add(ids::kNotes, ControlKind::MultiLineEdit, "", 3).columnSpan = 2;
    b.add(ids::kCheck, ControlKind::CheckBox, "&Check", 4);
    b.add(ids::kGroup, ControlKind::GroupBox, "Choice", 5);
    b.add(ids::kRadioA, ControlKind::RadioButton, "A", 0, 0, ids::kGroup);
    b.add(ids::kRadioB, ControlKind::RadioButton, "B", 1, 0, ids::kGroup);
    b.add(ids::kList, ControlKind::ListBox, "", 6).horizontalExtent = 60;
    b.add(ids::kMultiList, ControlKind::ListBox, "", 6, 1).multiSelect = true;
    b.add(ids::kDropDown, ControlKind::DropDownList, "", 7);
    ControlSpec& spin = b.add(ids::kSpin, ControlKind::SpinBox, "", 8);
    spin.minimum = 1;
    spin.maximum = 12;
    b.add(ids::kSlider, ControlKind::Slider, "", 8, 1).maximum = 50;
    b.add(ids::kProgress, ControlKind::ProgressBar, "", 9).columnSpan = 2;
    b.add(ids::kPicture, ControlKind::Picture, "LOGO", 10);
    b.add(ids::kPlainLabel, ControlKind::StaticText, "Fish && &Chips", 10, 1);
    b.add(ids::kApply, ControlKind::PushButton, "&Apply", 11);
    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(platform::IdCancel, "Cancel", 1);
    b.button(ids::kHelp, "&Help", 2);
    return b.take();
}

} // namespace bv::guitest
