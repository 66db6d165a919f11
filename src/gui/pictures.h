#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

namespace bv::gui {

// Pictures of the program are Qt resources named after the resource names of
// the dialogs and windows ("LOGO", "BACK"): ":/pictures/NAME.svg" or
// ":/pictures/NAME.png". SVG pictures are drawn at their own size, sharp on
// high-density screens.
//
// Returns a null pixmap when there is no picture of that name.
QPixmap loadPicture(const QString& name, qreal devicePixelRatio = 1.0);

// The two frames of the busy cursor, "CUP1" and "CUP2" (":/cursors/NAME.svg"):
// a cup whose steam moves between the frames.
QCursor busyCursorFrame(const QString& name);

} // namespace bv::gui
