#pragma once

#include <map>
#include <vector>

#include <QString>

#include "platform/dialog_template.h"

class QDialog;
class QWidget;

namespace bv::gui {

// One control of a rendered dialog.
struct RenderedControl {
    platform::ControlKind kind = platform::ControlKind::StaticText;
    QWidget* widget = nullptr;
    QString text; // static texts: the text as the logic set it, '&' included
};

struct RenderedControls {
    std::map<int, RenderedControl> byId; // a repeated id keeps its first control
    std::vector<QWidget*> all;           // every control widget, in template order
    bool resizable = false;              // lists and multi-line edits may grow
};

// Builds the widgets of a template inside dialog and lays them out with Qt
// layouts from the template's hints, so the dialog keeps its shape at any font
// size or screen scale:
// - each parent (the dialog, or a group box) is a grid: row, column and spans;
// - ButtonRow push buttons form a right-aligned row at the bottom, in column order;
// - widthChars sets a minimum width in average characters of the dialog's font.
// Each widget's objectName is its control id in decimal ("1213"), so tests and
// style sheets find it. Tab order follows the template order.
RenderedControls buildControls(QDialog& dialog, const platform::DialogTemplate& dialogTemplate);

// Shows a static text's caption on its label: with its '&' mnemonic when the
// label has a buddy to jump to, else with "&&" as '&' and single '&'s dropped.
void showStaticText(RenderedControl& control, const QString& text);

} // namespace bv::gui
