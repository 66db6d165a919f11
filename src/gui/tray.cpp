#include "gui/tray.h"

#include <QSystemTrayIcon>
#include <QWidget>

namespace bv::gui {

TrayParking::TrayParking(QWidget& window, const QIcon& icon, const QString& tip)
    : QObject(&window), window_(window), icon_(new QSystemTrayIcon(icon, this))
{
    icon_->setToolTip(tip.left(kMaxTipLength));
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    restore();
            });
}

TrayParking::~TrayParking()
{
    icon_->hide();
}

bool TrayParking::trayAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayParking::park()
{
    if (!trayAvailable())
        return false;
    icon_->show();
    window_.hide();
    parked_ = true;
    return true;
}

void TrayParking::restore()
{
    if (!parked_)
        return;
    icon_->hide();
    parked_ = false;
    window_.showNormal();
    window_.raise();
    window_.activateWindow();
}

} // namespace bv::gui
