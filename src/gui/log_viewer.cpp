#include "gui/log_viewer.h"

#include <QFile>

namespace bv::gui {

namespace {

constexpr double kTwipsPerPoint = 20.0;

} // namespace

QFont viewerFont(int twips)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(twips / kTwipsPerPoint);
    return font;
}

LogViewer::LogViewer(QWidget* parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("LogViewer"));
    setReadOnly(true);
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    setFont(viewerFont(kFontTwips));
    document()->setDefaultFont(font());
}

void LogViewer::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        return;
    }
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    setPlainText(text);
    moveCursor(QTextCursor::Start);
}

} // namespace bv::gui
