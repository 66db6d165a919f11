#include "gui/pictures.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace bv::gui {
namespace {

QPixmap renderSvg(const QString& path, qreal devicePixelRatio)
{
    QSvgRenderer svg(path);
    if (!svg.isValid())
        return {};
    const QSize size = svg.defaultSize();
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

} // namespace

QPixmap loadPicture(const QString& name, qreal devicePixelRatio)
{
    const QString svgPath = QStringLiteral(":/pictures/%1.svg").arg(name);
    if (QFile::exists(svgPath))
        return renderSvg(svgPath, devicePixelRatio);
    return QPixmap(QStringLiteral(":/pictures/%1.png").arg(name));
}

QCursor busyCursorFrame(const QString& name)
{
    const QPixmap frame = renderSvg(QStringLiteral(":/cursors/%1.svg").arg(name), 1.0);
    if (frame.isNull())
        return QCursor(Qt::WaitCursor);
    // The hot spot is the middle of the cup.
    return QCursor(frame, frame.width() / 2, frame.height() / 2);
}

} // namespace bv::gui
