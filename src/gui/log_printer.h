#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

class QPrinter;
class QSlider;
class QTextDocument;

namespace bv::gui {

// The "Select Font Size" slider of the print dialog: positions 1 (Small) to
// 5 (Large), starting at 3.
inline constexpr int kFontSizeSmallest = 1;
inline constexpr int kFontSizeLargest = 5;
inline constexpr int kFontSizeStart = 3;

// The print font of a slider position, in twips: 50 + 50 x position, so
// 100 to 300 twips (5 to 15 points).
int printFontTwips(int position);

// The rectangle printed on, in device pixels, for a page of pagePixels at the
// given resolution: the whole page, less a margin of 360 twips (1/4 inch) left
// and right when the page is wider than 2160 twips, and of 1440 twips (1 inch)
// top and bottom when it is taller than 4320 twips.
QRect printableRect(const QSize& pagePixels, int dpiX, int dpiY);

// Prints the text of the document in the print font of the slider position,
// page after page within printableRect, as the document "View Window". The
// document itself is left as it is. Returns the number of pages printed, 0
// when the printer could not be started.
int printText(QPrinter& printer, const QTextDocument& text, int fontPosition);

// The page of the print dialog that holds the font size slider.
class FontSizePage final : public QWidget {
  public:
    explicit FontSizePage(QWidget* parent = nullptr);
    QSlider* slider() const { return slider_; }
    int position() const;

  private:
    QSlider* slider_;
};

// Shows the print dialog over owner with the font size page, for one copy.
// Returns the chosen slider position, or 0 when the dialog was cancelled.
int runPrintDialog(QPrinter& printer, QWidget* owner);

} // namespace bv::gui
