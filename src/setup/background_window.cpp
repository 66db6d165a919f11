#include "setup/background_window.h"

#include <QPainter>

#include "gui/pictures.h"

namespace bv::setup {
namespace {

constexpr int kTileWidth = 565;
constexpr int kTileHeight = 157;
constexpr int kTilesPerSide = 30;
constexpr int kOddRowShift = 282;

} // namespace

BackgroundWindow::BackgroundWindow(const QString& title)
    : tile_(gui::loadPicture(QStringLiteral("113"), devicePixelRatioF()))
{
    setWindowTitle(title);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BackgroundWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (tile_.isNull())
        return;
    for (int row = 0; row < kTilesPerSide; ++row) {
        const int shift = row % 2 == 1 ? -kOddRowShift : 0;
        for (int column = 0; column < kTilesPerSide; ++column)
            painter.drawPixmap(
                QRect(column * kTileWidth + shift, row * kTileHeight, kTileWidth, kTileHeight),
                tile_);
    }
}

} // namespace bv::setup
