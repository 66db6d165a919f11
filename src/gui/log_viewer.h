#pragma once

#include <QString>
#include <QTextEdit>

namespace bv::gui {

// The main window's log viewer: the event log (or the alarm information) as
// read-only plain text in Arial at 10 points on white, with scroll bars as
// needed. Lines are not wrapped; long ones scroll sideways.
class LogViewer final : public QTextEdit {
  public:
    // The viewer's font size, 200 twips (10 points).
    static constexpr int kFontTwips = 200;

    explicit LogViewer(QWidget* parent = nullptr);

    // Replaces the whole text by the file's, read as plain UTF-8 text with
    // "\n" or "\r\n" line ends; a file that cannot be read leaves the viewer
    // empty. The view starts at the top, where the newest event is.
    void loadFile(const QString& path);
};

// The font of the viewer and of its printout: Arial, or the sans-serif face
// that stands in for it, at the given size in twips (1/20 point).
QFont viewerFont(int twips);

} // namespace bv::gui
