#include "paging/pager_entry_dialog.h"

#include <algorithm>

#include "app/base/strings_paging.h"
#include "app/base/template_builder.h"
#include "paging/advanced_dialog.h"
#include "paging/dialog_ids.h"

namespace bv::paging {

using namespace pager_entry_dialog;
using platform::ControlKind;

namespace {

constexpr int kKindGroup = 1331;
constexpr int kNameLabel = 1329;
constexpr int kConnectDelayLabel = 1337;
constexpr int kAccessLabel = 1339;
constexpr int kAccessDelayLabel = 1341;
constexpr int kBeepsLabel = 1343;
constexpr int kLongestDelaySec = 60;
constexpr int kMostBeeps = 10;
// The fixed part of a telephone's dial string: "ATDT", "#,,;ATH0" and the line end.
constexpr int kTelephoneFixedChars = 13;
constexpr int kCharsPerBeep = 3;
constexpr std::string_view kPagerNumberLabel = "Pager#";
constexpr std::string_view kPhoneNumberLabel = "Phone#";

platform::ControlSpec& spin(app::TemplateBuilder& b, int id, int row, int maximum)
{
    platform::ControlSpec& c = b.add(id, ControlKind::SpinBox, "", row, 1);
    c.maximum = maximum;
    return c;
}

platform::DialogTemplate entryTemplate()
{
    app::TemplateBuilder b("PAGER_ENTRY", "Setup Pager Entry", kPagerEntryHelpTopic);
    b.add(kNameLabel, ControlKind::StaticText, "Name of Device", 0, 0);
    b.add(kName, ControlKind::Edit, "", 0, 1).maxLength = PagerEntry::kMaxTextChars;
    b.add(kKindGroup, ControlKind::GroupBox, "Type", 1).columnSpan = 2;
    b.add(kNumeric, ControlKind::RadioButton, "Numeric Pager", 0, 0, kKindGroup);
    b.add(kAlphaNumeric, ControlKind::RadioButton, "AlphaNumeric Pager", 0, 1, kKindGroup);
    b.add(kTelephone, ControlKind::RadioButton, "Telephone", 0, 2, kKindGroup);
    b.add(kNumberLabel, ControlKind::StaticText, std::string(kPagerNumberLabel), 2, 0);
    b.add(kNumber, ControlKind::Edit, "", 2, 1).maxLength = PagerEntry::kMaxTextChars;
    b.add(kConnectDelayLabel, ControlKind::StaticText, "Delay after Connection", 3, 0);
    spin(b, kConnectDelay, 3, kLongestDelaySec);
    b.add(kAccessLabel, ControlKind::StaticText, "Access #", 4, 0);
    b.add(kAccess, ControlKind::Edit, "", 4, 1).maxLength = PagerEntry::kMaxTextChars;
    b.add(kAccessDelayLabel, ControlKind::StaticText, "Delay after Access Number", 5, 0);
    spin(b, kAccessDelay, 5, kLongestDelaySec);
    b.add(kBeepsLabel, ControlKind::StaticText, "Number of Beeps", 6, 0);
    spin(b, kBeeps, 6, kMostBeeps);
    b.add(kQuietAnswer, ControlKind::CheckBox, "Use Quiet Answer", 7, 0);
    b.add(kAdvanced, ControlKind::PushButton, "Advanced...", 7, 1);
    b.button(platform::IdOk, "OK", 0).isDefault = true;
    b.button(platform::IdCancel, "Cancel", 1);
    b.button(kHelpButton, "&Help", 2);
    return b.take();
}

bool hasBlank(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string orZero(std::string text)
{
    return text.empty() ? "0" : text;
}

} // namespace

int telephonePageLength(const PagerEntry& entry)
{
    return static_cast<int>(entry.number.size()) + kCharsPerBeep * entry.beeps +
           (entry.connectDelaySec + 1) / 2 + kTelephoneFixedChars +
           (entry.usesQuietAnswer() ? 1 : 0);
}

PagerEntryDialog::PagerEntryDialog(app::Shell& shell, PagerEntry& entry)
    : Dialog(entryTemplate(), kHelpButton), shell_(shell), entry_(entry), kind_(entry.kind),
      advanced_(entry.advanced)
{
}

void PagerEntryDialog::handleOpen(platform::DialogView& view)
{
    view.setText(kName, entry_.name);
    view.setText(kNumber, entry_.number);
    view.setText(kAccess, entry_.access);
    view.setValue(kConnectDelay, entry_.connectDelaySec);
    view.setValue(kAccessDelay, entry_.accessDelaySec);
    view.setValue(kBeeps, entry_.beeps);
    view.setChecked(kQuietAnswer, entry_.usesQuietAnswer());
    const int radio = kind_ == EntryKind::AlphaNumeric ? kAlphaNumeric
                      : kind_ == EntryKind::Telephone  ? kTelephone
                      : kind_ == EntryKind::Numeric    ? kNumeric
                                                       : 0;
    if (radio != 0)
        view.setChecked(radio, true);
    showKind(view, kind_);
    view.setFocus(kName);
}

void PagerEntryDialog::showKind(platform::DialogView& view, EntryKind kind)
{
    kind_ = kind;
    const bool numeric = kind == EntryKind::Numeric;
    const bool alpha = kind == EntryKind::AlphaNumeric;
    const bool phone = kind == EntryKind::Telephone;
    view.setText(kNumberLabel, std::string(phone ? kPhoneNumberLabel : kPagerNumberLabel));
    view.setEnabled(kConnectDelay, numeric || phone);
    view.setEnabled(kAccess, numeric || alpha);
    view.setEnabled(kAccessDelay, numeric);
    view.setEnabled(kAdvanced, alpha);
    view.setEnabled(kBeeps, phone);
    view.setEnabled(kQuietAnswer, phone);
}

void PagerEntryDialog::handleCommand(platform::DialogView& view, int id, platform::Notification)
{
    switch (id) {
    case kNumeric:
        showKind(view, EntryKind::Numeric);
        break;
    case kAlphaNumeric:
        showKind(view, EntryKind::AlphaNumeric);
        break;
    case kTelephone:
        showKind(view, EntryKind::Telephone);
        break;
    case kAdvanced: {
        AdvancedDialog advanced(advanced_);
        advanced.run(host());
        break;
    }
    case platform::IdOk:
        confirm(view);
        break;
    case platform::IdCancel:
        end(view, platform::IdCancel);
        break;
    default:
        break;
    }
}

void PagerEntryDialog::refuse(platform::DialogView& view, int field, std::string_view text)
{
    shell_.errorBox(text, app::BoxOwner::ActiveWindow);
    view.setFocus(field);
}

void PagerEntryDialog::confirm(platform::DialogView& view)
{
    PagerEntry entry = entry_;
    entry.name = view.text(kName);
    entry.kind = kind_;
    entry.number = orZero(view.text(kNumber));
    entry.access = orZero(view.text(kAccess));
    entry.connectDelaySec = view.value(kConnectDelay);
    entry.accessDelaySec = view.value(kAccessDelay);
    entry.beeps = view.value(kBeeps);
    entry.advanced = advanced_;
    entry.advanced.quietAnswer = view.checked(kQuietAnswer) ? AdvancedSettings::kQuietAnswer
                                                            : AdvancedSettings::kNoQuietAnswer;
    if (entry.name.empty() || hasBlank(entry.name)) {
        refuse(view, kName, app::strings::kInvalidPagerEntryName);
        return;
    }
    if (hasBlank(entry.number)) {
        refuse(view, kNumber, app::strings::kInvalidPagerNumber);
        return;
    }
    if (hasBlank(entry.access)) {
        refuse(view, kAccess, app::strings::kInvalidAccessNumber);
        return;
    }
    if (entry.kind == EntryKind::Telephone && telephonePageLength(entry) > kLongestTelephonePage) {
        shell_.warningBox(app::strings::kTelephonePageTooLong, app::BoxOwner::ActiveWindow);
        view.setFocus(kNumber);
        return;
    }
    entry_ = entry;
    end(view, platform::IdOk);
}

} // namespace bv::paging
