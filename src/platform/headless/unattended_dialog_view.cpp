#include "platform/headless/unattended_dialog_view.h"

#include <algorithm>

namespace bv::platform {
namespace {

// How long the run waits between looks at whether the dialog has ended.
constexpr int kRunSliceMs = 20;

} // namespace

UnattendedDialogView::UnattendedDialogView(DialogClient& dialog, EventLoop& loop, std::ostream& log)
    : dialog_(dialog), loop_(loop), log_(log), caption_(dialog.dialogTemplate().title)
{
    for (const ControlSpec& spec : dialog.dialogTemplate().controls) {
        Control& c = control(spec.id);
        c.text = spec.caption;
        c.value = spec.minimum;
    }
}

UnattendedDialogView::~UnattendedDialogView()
{
    for (const auto& [id, timer] : timers_)
        loop_.stopTimer(timer);
}

int UnattendedDialogView::run()
{
    dialog_.onOpen(*this);
    while (!ended_)
        loop_.pause(kRunSliceMs);
    return result_;
}

const UnattendedDialogView::Control* UnattendedDialogView::find(int id) const
{
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : &it->second;
}

std::string UnattendedDialogView::text(int id) const
{
    const Control* c = find(id);
    return c != nullptr ? c->text : std::string();
}

void UnattendedDialogView::setText(int id, const std::string& text)
{
    Control& c = control(id);
    const ControlSpec* spec = dialog_.dialogTemplate().find(id);
    if (spec != nullptr && spec->kind == ControlKind::StaticText && text != c.text && !text.empty())
        log_ << caption_ << ": " << text << '\n' << std::flush;
    c.text = text;
}

bool UnattendedDialogView::checked(int id) const
{
    const Control* c = find(id);
    return c != nullptr && c->checked;
}

void UnattendedDialogView::setChecked(int id, bool on)
{
    control(id).checked = on;
}

bool UnattendedDialogView::enabled(int id) const
{
    const Control* c = find(id);
    return c == nullptr || c->enabled;
}

void UnattendedDialogView::setEnabled(int id, bool on)
{
    control(id).enabled = on;
}

bool UnattendedDialogView::visible(int id) const
{
    const Control* c = find(id);
    return c == nullptr || c->visible;
}

void UnattendedDialogView::setVisible(int id, bool on)
{
    control(id).visible = on;
}

std::vector<std::string> UnattendedDialogView::items(int id) const
{
    const Control* c = find(id);
    return c != nullptr ? c->items : std::vector<std::string>();
}

void UnattendedDialogView::setItems(int id, const std::vector<std::string>& items)
{
    control(id).items = items;
    control(id).index = -1;
}

int UnattendedDialogView::currentIndex(int id) const
{
    const Control* c = find(id);
    return c != nullptr ? c->index : -1;
}

void UnattendedDialogView::setCurrentIndex(int id, int index)
{
    control(id).index = index;
}

std::vector<int> UnattendedDialogView::selectedIndexes(int id) const
{
    const int index = currentIndex(id);
    return index >= 0 ? std::vector<int>{index} : std::vector<int>();
}

void UnattendedDialogView::setSelected(int id, int index, bool on)
{
    if (on)
        control(id).index = index;
}

int UnattendedDialogView::value(int id) const
{
    const Control* c = find(id);
    return c != nullptr ? c->value : 0;
}

void UnattendedDialogView::setValue(int id, int value)
{
    control(id).value = value;
}

void UnattendedDialogView::setRange(int, int, int) {}

void UnattendedDialogView::startTimer(int timerId, int periodMs)
{
    killTimer(timerId);
    timers_[timerId] = loop_.startTimer(periodMs, [this, timerId] {
        if (!ended_)
            dialog_.onTimer(*this, timerId);
    });
}

void UnattendedDialogView::killTimer(int timerId)
{
    const auto it = timers_.find(timerId);
    if (it == timers_.end())
        return;
    loop_.stopTimer(it->second);
    timers_.erase(it);
}

void UnattendedDialogView::end(int result)
{
    ended_ = true;
    result_ = result;
    for (const auto& [id, timer] : timers_)
        loop_.stopTimer(timer);
    timers_.clear();
}

} // namespace bv::platform
