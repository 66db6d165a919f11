#include "gui/log_printer.h"

#include <memory>

#include <QAbstractTextDocumentLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSlider>
#include <QTextCursor>
#include <QTextDocument>

#include "app/base/strings_shell.h"
#include "gui/log_viewer.h"
#include "gui/qt_text.h"

namespace bv::gui {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kNarrowestWithSideMargins = 2160; // 1.5 in
constexpr int kSideMargin = 360;                // 0.25 in
constexpr int kShortestWithTopMargins = 4320;   // 3 in
constexpr int kTopMargin = 1440;                // 1 in
constexpr int kTwipsPerStep = 50;

// The start and end of a printed span along one side of the page, in pixels.
std::pair<int, int> printedSpan(int pagePixels, int dpi, int shortestWithMargins, int margin)
{
    const long long twips = static_cast<long long>(pagePixels) * kTwipsPerInch / dpi;
    long long first = 0;
    long long last = twips;
    if (twips > shortestWithMargins) {
        first = margin;
        last = twips - margin;
    }
    return {static_cast<int>(first * dpi / kTwipsPerInch),
            static_cast<int>(last * dpi / kTwipsPerInch)};
}

} // namespace

int printFontTwips(int position)
{
    return kTwipsPerStep + kTwipsPerStep * position;
}

QRect printableRect(const QSize& pagePixels, int dpiX, int dpiY)
{
    const auto [left, right] =
        printedSpan(pagePixels.width(), dpiX, kNarrowestWithSideMargins, kSideMargin);
    const auto [top, bottom] =
        printedSpan(pagePixels.height(), dpiY, kShortestWithTopMargins, kTopMargin);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

int printText(QPrinter& printer, const QTextDocument& text, int fontPosition)
{
    printer.setDocName(qText(app::strings::kPrintDocumentName));
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;

    // A copy in the print font, laid out for the printer: the viewer keeps
    // its own font and selection.
    const std::unique_ptr<QTextDocument> copy(text.clone());
    const QFont font = viewerFont(printFontTwips(fontPosition));
    copy->setDefaultFont(font);
    QTextCursor all(copy.get());
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setFont(font);
    all.setCharFormat(format);
    QTextOption wrapping = copy->defaultTextOption();
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    copy->setDefaultTextOption(wrapping);
    copy->setDocumentMargin(0);
    copy->documentLayout()->setPaintDevice(&printer);

    const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
    const QRect area = printableRect(page.size(), printer.logicalDpiX(), printer.logicalDpiY());
    copy->setPageSize(area.size());

    const int pages = copy->pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            printer.newPage();
        const QRectF slice(0, index * area.height(), area.width(), area.height());
        painter.save();
        painter.translate(area.left(), area.top() - slice.top());
        painter.setClipRect(slice);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = slice;
        context.palette.setColor(QPalette::Text, Qt::black);
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return pages;
}

FontSizePage::FontSizePage(QWidget* parent) : QWidget(parent), slider_(new QSlider(Qt::Horizontal))
{
    const QString title = qText(app::strings::kSelectFontSize);
    setWindowTitle(title);
    setObjectName(QStringLiteral("FontSizePage"));
    slider_->setObjectName(QStringLiteral("FontSizeSlider"));
    slider_->setRange(kFontSizeSmallest, kFontSizeLargest);
    slider_->setValue(kFontSizeStart);
    slider_->setPageStep(1);
    slider_->setTickInterval(1);
    slider_->setTickPosition(QSlider::TicksBelow);

    auto* layout = new QGridLayout(this);
    auto* caption = new QLabel(title);
    caption->setBuddy(slider_);
    layout->addWidget(caption, 0, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Small")), 1, 0);
    layout->addWidget(slider_, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Large")), 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(1, 1);
}

int FontSizePage::position() const
{
    return slider_->value();
}

int runPrintDialog(QPrinter& printer, QWidget* owner)
{
    printer.setCopyCount(1);
    QPrintDialog dialog(&printer, owner);
    auto* fontSize = new FontSizePage;
    dialog.setOptionTabs({fontSize});
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    printer.setCopyCount(1);
    return fontSize->position();
}

} // namespace bv::gui
