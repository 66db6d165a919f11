#include "gui/log_printer.h"

#include <QFile>
#include <QPrinter>
#include <QSlider>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "gui/log_viewer.h"
#include "support/temp_dir.h"

namespace bv::gui {
namespace {

TEST(LogPrinter, FontSizeIsFiftyTwipsPerSliderStep)
{
    const int expected[] = {100, 150, 200, 250, 300};
    for (int position = kFontSizeSmallest; position <= kFontSizeLargest; ++position)
        EXPECT_EQ(printFontTwips(position), expected[position - 1]);
}

TEST(LogPrinter, MarginsOnlyOnPagesLargeEnoughForThem)
{
    struct Case {
        QSize pagePixels;
        int dpiX;
        int dpiY;
        QRect printed;
    };
    const Case cases[] = {
        // Letter at 600 dpi: 1/4 inch left and right, 1 inch top and bottom.
        {{5100, 6600}, 600, 600, QRect(QPoint(150, 600), QPoint(4949, 5999))},
        // A4 at 1200 x 600 dpi: each side in its own resolution.
        {{9921, 3507}, 1200, 600, QRect(QPoint(300, 600), QPoint(9619, 2905))},
        // 1.5 x 3 inches: exactly the limits, no margins.
        {{150, 300}, 100, 100, QRect(0, 0, 150, 300)},
        // Just over them: margins on both.
        {{151, 301}, 100, 100, QRect(QPoint(25, 100), QPoint(124, 199))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(printableRect(c.pagePixels, c.dpiX, c.dpiY), c.printed) << c.pagePixels.width();
}

class PdfPrint : public testing::Test {
  protected:
    PdfPrint()
    {
        QString text;
        for (int line = 0; line < 400; ++line)
            text += QStringLiteral("  6/21/00  2:05p Transfer of index.htm completed line %1\n")
                        .arg(line);
        document.setPlainText(text);
        document.setDefaultFont(viewerFont(LogViewer::kFontTwips));
    }

    // Prints at the slider position to a PDF file; returns pages printed and the file's bytes.
    std::pair<int, QByteArray> print(int position, QPageSize::PageSizeId size)
    {
        const QString path = QString::fromStdString(
            (dir.path() / ("print" + std::to_string(position) + ".pdf")).string());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(size));
        const int pages = printText(printer, document, position);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return {pages, file.readAll()};
    }

    // The width and height in points of every page's MediaBox.
    static std::vector<QSizeF> mediaBoxes(const QByteArray& pdf)
    {
        std::vector<QSizeF> boxes;
        for (qsizetype at = pdf.indexOf("/MediaBox ["); at >= 0;
             at = pdf.indexOf("/MediaBox [", at + 1)) {
            const qsizetype start = at + qsizetype(sizeof("/MediaBox [") - 1);
            const QList<QByteArray> numbers =
                pdf.mid(start, pdf.indexOf(']', start) - start).simplified().split(' ');
            if (numbers.size() == 4)
                boxes.emplace_back(numbers[2].toDouble() - numbers[0].toDouble(),
                                   numbers[3].toDouble() - numbers[1].toDouble());
        }
        return boxes;
    }

    static void expectPagesOf(const QByteArray& pdf, int pages, QSizeF points)
    {
        const std::vector<QSizeF> boxes = mediaBoxes(pdf);
        EXPECT_EQ(int(boxes.size()), pages);
        for (const QSizeF& box : boxes) {
            EXPECT_NEAR(box.width(), points.width(), 1.0);
            EXPECT_NEAR(box.height(), points.height(), 1.0);
        }
    }

    static int pageObjects(const QByteArray& pdf)
    {
        return int(pdf.count("/Type /Page\n")) + int(pdf.count("/Type /Page\r")) +
               int(pdf.count("/Type /Page ")) + int(pdf.count("/Type /Page/"));
    }

    testsupport::TempDir dir{"bv-log-printer"};
    QTextDocument document;
};

TEST_F(PdfPrint, LargerFontsNeedMorePagesAndEachPageIsThePaperSize)
{
    const auto [smallPages, smallPdf] = print(kFontSizeSmallest, QPageSize::A4);
    const auto [middlePages, middlePdf] = print(kFontSizeStart, QPageSize::A4);
    const auto [largePages, largePdf] = print(kFontSizeLargest, QPageSize::A4);
    EXPECT_GE(smallPages, 2);
    EXPECT_LT(smallPages, middlePages);
    EXPECT_LT(middlePages, largePages);
    EXPECT_EQ(pageObjects(smallPdf), smallPages);
    EXPECT_EQ(pageObjects(largePdf), largePages);
    expectPagesOf(largePdf, largePages, QSizeF(595.3, 841.9)); // A4 in points

    const auto [letterPages, letterPdf] = print(kFontSizeStart, QPageSize::Letter);
    expectPagesOf(letterPdf, letterPages, QSizeF(612, 792));
    EXPECT_TRUE(middlePdf.contains("/Title"));
}

TEST_F(PdfPrint, TheViewersDocumentKeepsItsFont)
{
    print(kFontSizeLargest, QPageSize::A4);
    EXPECT_EQ(document.defaultFont().pointSizeF(), 10.0);
}

TEST(LogPrinter, FontSizePageStartsInTheMiddleOfFivePositions)
{
    FontSizePage page;
    EXPECT_EQ(page.windowTitle(), "Select Font Size");
    EXPECT_EQ(page.slider()->minimum(), 1);
    EXPECT_EQ(page.slider()->maximum(), 5);
    EXPECT_EQ(page.position(), 3);
}

} // namespace
} // namespace bv::gui
