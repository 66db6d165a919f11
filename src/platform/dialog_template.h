#pragma once

#include <string>
#include <vector>

namespace bv::platform {

enum class ControlKind {
    StaticText,
    Edit,          // one line of text
    NumberEdit,    // digits only
    PasswordEdit,  // shown masked
    MultiLineEdit, // several lines, read-only or not
    CheckBox,
    RadioButton, // radio buttons sharing a parent group box form one group
    PushButton,
    ListBox,      // optionally multiple selection and a horizontal extent
    DropDownList, // a combo box whose text comes from its list only
    SpinBox,
    Slider,
    ProgressBar,
    GroupBox, // a frame with a caption; controls name it as their parent
    Picture,  // an image resource shown by name (caption)
};

// Where a control sits. The renderer lays out each parent (the dialog itself or a
// group box) as a grid of rows and columns; push buttons in the ButtonRow
// region form the dialog's button row at the bottom.
enum class Region { Body, ButtonRow };

struct ControlSpec {
    int id = 0;
    ControlKind kind = ControlKind::StaticText;
    std::string caption; // text, button caption, group title or picture name
    int parent = 0;      // id of the enclosing group box, 0 = the dialog
    int row = 0;
    int column = 0;
    int columnSpan = 1;
    int rowSpan = 1;
    Region region = Region::Body;
    bool isDefault = false;   // the default push button (Enter)
    bool multiSelect = false; // list boxes
    bool readOnly = false;    // edits
    int maxLength = 0;        // edits; 0 = no limit
    int minimum = 0;          // spin boxes, sliders, progress bars
    int maximum = 100;
    int horizontalExtent = 0; // list boxes: width in characters of the longest line, 0 = none
    int widthChars = 0;       // preferred width in average characters, 0 = renderer's choice
    std::string toolTip;
};

// A dialog's control table, the counterpart of a dialog resource.
struct DialogTemplate {
    std::string name;  // e.g. "SETUP_UNITS"; at most 19 characters
    std::string title; // the window caption
    int helpTopic = 0; // topic number in the help file, 0 = none
    // Colours as 0xRRGGBB, -1 = the desktop's own: the background of the
    // client area and the text of static texts and group titles on it (the
    // About box is yellow on blue). Buttons and edits keep the desktop's colours.
    int backgroundColor = -1;
    int textColor = -1;
    // A progress dialog that ends by itself and asks nothing (dialing, the
    // archive download): a Ui without a display runs it all the same.
    bool unattended = false;
    std::vector<ControlSpec> controls;

    const ControlSpec* find(int id) const
    {
        for (const ControlSpec& c : controls)
            if (c.id == id)
                return &c;
        return nullptr;
    }
};

} // namespace bv::platform
