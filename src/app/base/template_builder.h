#pragma once

#include <cstddef>
#include <string>

#include "platform/dialog_template.h"

namespace bv::app {

// Writes a dialog's control table row by row:
//
//   TemplateBuilder b("SETUP_RANGE", "Range", kRangeHelpTopic);
//   b.add(1046, ControlKind::CheckBox, "Enable Range", 0).columnSpan = 4;
//   b.button(platform::IdOk, "OK", 0).isDefault = true;
//   Dialog(b.take(), kHelpButton);
class TemplateBuilder {
  public:
    TemplateBuilder(std::string name, std::string title, int helpTopic);

    // A control of the body at row and column of its parent (0 = the dialog).
    // Controls one dialog may have. A reference add() or button() returned
    // stays valid while more controls are added.
    static constexpr std::size_t kMaxControls = 256;

    platform::ControlSpec& add(int id, platform::ControlKind kind, std::string caption, int row,
                               int column = 0, int parent = 0);
    // A push button of the bottom row; columns order the row left to right.
    platform::ControlSpec& button(int id, std::string caption, int column);

    platform::DialogTemplate& dialogTemplate() { return template_; }
    platform::DialogTemplate take() { return std::move(template_); }

  private:
    platform::DialogTemplate template_;
};

} // namespace bv::app
