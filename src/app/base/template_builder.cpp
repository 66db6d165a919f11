#include "app/base/template_builder.h"

#include <stdexcept>

namespace bv::app {

TemplateBuilder::TemplateBuilder(std::string name, std::string title, int helpTopic)
{
    template_.name = std::move(name);
    template_.title = std::move(title);
    template_.helpTopic = helpTopic;
    // Dialogs keep the references add() returns while they add more controls,
    // so the table must never move.
    template_.controls.reserve(kMaxControls);
}

platform::ControlSpec& TemplateBuilder::add(int id, platform::ControlKind kind, std::string caption,
                                            int row, int column, int parent)
{
    if (template_.controls.size() == kMaxControls)
        throw std::length_error("dialog " + template_.name + " has more than " +
                                std::to_string(kMaxControls) + " controls");
    platform::ControlSpec& c = template_.controls.emplace_back();
    c.id = id;
    c.kind = kind;
    c.caption = std::move(caption);
    c.row = row;
    c.column = column;
    c.parent = parent;
    return c;
}

platform::ControlSpec& TemplateBuilder::button(int id, std::string caption, int column)
{
    platform::ControlSpec& c =
        add(id, platform::ControlKind::PushButton, std::move(caption), 0, column);
    c.region = platform::Region::ButtonRow;
    return c;
}

} // namespace bv::app
