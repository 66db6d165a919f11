#include "support/fake_dialog_view.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include <gtest/gtest.h>

namespace bv::testsupport {

using platform::ControlKind;
using platform::Notification;

namespace {

bool isList(ControlKind kind)
{
    return kind == ControlKind::ListBox || kind == ControlKind::DropDownList;
}

bool isCheckable(ControlKind kind)
{
    return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

bool hasValue(ControlKind kind)
{
    return kind == ControlKind::SpinBox || kind == ControlKind::Slider ||
           kind == ControlKind::ProgressBar;
}

bool isMultiSelect(const platform::ControlSpec& spec)
{
    return spec.kind == ControlKind::ListBox && spec.multiSelect;
}

} // namespace

platform::ControlSpec controlSpec(int id, ControlKind kind, std::string caption)
{
    platform::ControlSpec spec;
    spec.id = id;
    spec.kind = kind;
    spec.caption = std::move(caption);
    return spec;
}

FakeDialogView::FakeDialogView(platform::DialogClient& client)
    : client_(client), template_(client.dialogTemplate()), caption_(template_.title)
{
    for (const platform::ControlSpec& spec : template_.controls) {
        Control c;
        c.spec = &spec;
        c.minimum = spec.minimum;
        c.maximum = spec.maximum;
        c.value = spec.minimum;
        if (!isList(spec.kind) && !hasValue(spec.kind))
            c.text = spec.caption;
        const bool added = controls_.emplace(spec.id, c).second;
        if (!added)
            ADD_FAILURE() << template_.name << ": control id " << spec.id << " appears twice";
    }
}

void FakeDialogView::open()
{
    client_.onOpen(*this);
}

// --- lookups -----------------------------------------------------------------

const FakeDialogView::Control* FakeDialogView::find(int id, const char* what) const
{
    const auto it = controls_.find(id);
    if (it == controls_.end()) {
        ADD_FAILURE() << template_.name << ": " << what << " on control " << id
                      << ", which the template does not have";
        return nullptr;
    }
    return &it->second;
}

FakeDialogView::Control* FakeDialogView::find(int id, const char* what)
{
    return const_cast<Control*>(std::as_const(*this).find(id, what));
}

const FakeDialogView::Control* FakeDialogView::findWith(int id, Property property,
                                                        const char* what) const
{
    const Control* c = find(id, what);
    if (c == nullptr)
        return nullptr;
    const ControlKind kind = c->spec->kind;
    bool fits = true;
    switch (property) {
    case Property::Text:
        fits = kind != ControlKind::ProgressBar && kind != ControlKind::Slider;
        break;
    case Property::Check:
        fits = isCheckable(kind);
        break;
    case Property::Items:
        fits = isList(kind);
        break;
    case Property::Value:
        fits = hasValue(kind);
        break;
    }
    if (!fits) {
        ADD_FAILURE() << template_.name << ": " << what << " on control " << id
                      << ", whose kind has no such property";
        return nullptr;
    }
    return c;
}

FakeDialogView::Control* FakeDialogView::findWith(int id, Property property, const char* what)
{
    return const_cast<Control*>(std::as_const(*this).findWith(id, property, what));
}

bool FakeDialogView::stillOpen(const char* what) const
{
    if (ended_)
        ADD_FAILURE() << template_.name << ": " << what << " after the dialog ended";
    return !ended_;
}

FakeDialogView::Control* FakeDialogView::actOn(int id, const char* what)
{
    if (!stillOpen(what))
        return nullptr;
    Control* c = find(id, what);
    if (c == nullptr)
        return nullptr;
    if (!c->enabled || !c->visible) {
        ADD_FAILURE() << template_.name << ": " << what << " on control " << id << ", which is "
                      << (c->enabled ? "hidden" : "disabled");
        return nullptr;
    }
    return c;
}

bool FakeDialogView::indexInList(const Control& c, int index, const char* what) const
{
    if (index >= 0 && static_cast<std::size_t>(index) < c.items.size())
        return true;
    ADD_FAILURE() << template_.name << ": " << what << " index " << index << " on control "
                  << c.spec->id << ", which holds " << c.items.size() << " items";
    return false;
}

// --- the user's actions ------------------------------------------------------

void FakeDialogView::click(int id)
{
    Control* c = actOn(id, "click");
    if (c == nullptr)
        return;
    if (c->spec->kind == ControlKind::CheckBox)
        c->checked = !c->checked;
    else if (c->spec->kind == ControlKind::RadioButton)
        setChecked(id, true);
    client_.onCommand(*this, id, Notification::Clicked);
}

void FakeDialogView::enterText(int id, const std::string& text)
{
    if (actOn(id, "enterText") == nullptr)
        return;
    setText(id, text);
    client_.onCommand(*this, id, Notification::Changed);
}

void FakeDialogView::choose(int id, int index)
{
    Control* c = actOn(id, "choose");
    if (c == nullptr || findWith(id, Property::Items, "choose") == nullptr ||
        !indexInList(*c, index, "choose"))
        return;
    if (isMultiSelect(*c->spec))
        c->selected = {index};
    c->current = index;
    client_.onCommand(*this, id, Notification::SelChanged);
}

void FakeDialogView::doubleClick(int id)
{
    if (actOn(id, "doubleClick") != nullptr)
        client_.onCommand(*this, id, Notification::DoubleClicked);
}

void FakeDialogView::changeValue(int id, int newValue)
{
    if (actOn(id, "changeValue") == nullptr ||
        findWith(id, Property::Value, "changeValue") == nullptr)
        return;
    setValue(id, newValue);
    client_.onCommand(*this, id, Notification::Changed);
}

void FakeDialogView::sendCommand(int id, Notification what)
{
    if (stillOpen("sendCommand"))
        client_.onCommand(*this, id, what);
}

void FakeDialogView::fireTimer(int timerId)
{
    if (!stillOpen("fireTimer"))
        return;
    if (!timerRunning(timerId)) {
        ADD_FAILURE() << template_.name << ": timer " << timerId << " is not running";
        return;
    }
    client_.onTimer(*this, timerId);
}

int FakeDialogView::timerPeriod(int timerId) const
{
    const auto it = timers_.find(timerId);
    return it == timers_.end() ? 0 : it->second;
}

int FakeDialogView::minimum(int id) const
{
    const Control* c = findWith(id, Property::Value, "minimum");
    return c == nullptr ? 0 : c->minimum;
}

int FakeDialogView::maximum(int id) const
{
    const Control* c = findWith(id, Property::Value, "maximum");
    return c == nullptr ? 0 : c->maximum;
}

// --- DialogView --------------------------------------------------------------

std::string FakeDialogView::text(int id) const
{
    const Control* c = findWith(id, Property::Text, "text");
    if (c == nullptr)
        return {};
    if (isList(c->spec->kind))
        return c->current >= 0 ? c->items[static_cast<std::size_t>(c->current)] : std::string{};
    if (c->spec->kind == ControlKind::SpinBox)
        return std::to_string(c->value);
    return c->text;
}

void FakeDialogView::setText(int id, const std::string& newText)
{
    Control* c = findWith(id, Property::Text, "setText");
    if (c == nullptr)
        return;
    if (isList(c->spec->kind)) {
        ADD_FAILURE() << template_.name << ": setText on list control " << id
                      << "; choose an item instead";
        return;
    }
    if (c->spec->kind == ControlKind::SpinBox) {
        c->value = std::clamp(std::atoi(newText.c_str()), c->minimum, c->maximum);
        return;
    }
    const std::size_t limit = static_cast<std::size_t>(c->spec->maxLength);
    c->text = limit > 0 && newText.size() > limit ? newText.substr(0, limit) : newText;
}

bool FakeDialogView::checked(int id) const
{
    const Control* c = findWith(id, Property::Check, "checked");
    return c != nullptr && c->checked;
}

void FakeDialogView::setChecked(int id, bool on)
{
    Control* c = findWith(id, Property::Check, "setChecked");
    if (c == nullptr)
        return;
    if (on && c->spec->kind == ControlKind::RadioButton)
        for (auto& [otherId, other] : controls_)
            if (other.spec->kind == ControlKind::RadioButton &&
                other.spec->parent == c->spec->parent)
                other.checked = false;
    c->checked = on;
}

bool FakeDialogView::enabled(int id) const
{
    const Control* c = find(id, "enabled");
    return c != nullptr && c->enabled;
}

void FakeDialogView::setEnabled(int id, bool on)
{
    if (Control* c = find(id, "setEnabled"))
        c->enabled = on;
}

bool FakeDialogView::visible(int id) const
{
    const Control* c = find(id, "visible");
    return c != nullptr && c->visible;
}

void FakeDialogView::setVisible(int id, bool on)
{
    if (Control* c = find(id, "setVisible"))
        c->visible = on;
}

std::vector<std::string> FakeDialogView::items(int id) const
{
    const Control* c = findWith(id, Property::Items, "items");
    return c == nullptr ? std::vector<std::string>{} : c->items;
}

void FakeDialogView::setItems(int id, const std::vector<std::string>& newItems)
{
    Control* c = findWith(id, Property::Items, "setItems");
    if (c == nullptr)
        return;
    c->items = newItems;
    c->current = -1;
    c->selected.clear();
}

int FakeDialogView::currentIndex(int id) const
{
    const Control* c = findWith(id, Property::Items, "currentIndex");
    return c == nullptr ? -1 : c->current;
}

void FakeDialogView::setCurrentIndex(int id, int index)
{
    Control* c = findWith(id, Property::Items, "setCurrentIndex");
    if (c == nullptr || (index != -1 && !indexInList(*c, index, "setCurrentIndex")))
        return;
    c->current = index;
}

std::vector<int> FakeDialogView::selectedIndexes(int id) const
{
    const Control* c = findWith(id, Property::Items, "selectedIndexes");
    if (c == nullptr)
        return {};
    if (isMultiSelect(*c->spec))
        return {c->selected.begin(), c->selected.end()};
    return c->current >= 0 ? std::vector<int>{c->current} : std::vector<int>{};
}

void FakeDialogView::setSelected(int id, int index, bool on)
{
    Control* c = findWith(id, Property::Items, "setSelected");
    if (c == nullptr || !indexInList(*c, index, "setSelected"))
        return;
    if (isMultiSelect(*c->spec)) {
        if (on)
            c->selected.insert(index);
        else
            c->selected.erase(index);
    } else if (on) {
        c->current = index;
    } else if (c->current == index) {
        c->current = -1;
    }
}

int FakeDialogView::value(int id) const
{
    const Control* c = findWith(id, Property::Value, "value");
    return c == nullptr ? 0 : c->value;
}

void FakeDialogView::setValue(int id, int newValue)
{
    if (Control* c = findWith(id, Property::Value, "setValue"))
        c->value = std::clamp(newValue, c->minimum, c->maximum);
}

void FakeDialogView::setRange(int id, int newMinimum, int newMaximum)
{
    Control* c = findWith(id, Property::Value, "setRange");
    if (c == nullptr)
        return;
    if (newMinimum > newMaximum) {
        ADD_FAILURE() << template_.name << ": setRange(" << newMinimum << ", " << newMaximum
                      << ") on control " << id;
        return;
    }
    c->minimum = newMinimum;
    c->maximum = newMaximum;
    c->value = std::clamp(c->value, newMinimum, newMaximum);
}

void FakeDialogView::setFocus(int id)
{
    if (find(id, "setFocus") != nullptr)
        focus_ = id;
}

void FakeDialogView::startTimer(int timerId, int periodMs)
{
    if (!ended_)
        timers_[timerId] = periodMs;
}

void FakeDialogView::killTimer(int timerId)
{
    timers_.erase(timerId);
}

void FakeDialogView::end(int endResult)
{
    if (!stillOpen("end"))
        return;
    ended_ = true;
    result_ = endResult;
    timers_.clear();
}

} // namespace bv::testsupport
