#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QSystemTrayIcon;
class QWidget;

namespace bv::gui {

// Parks a minimised window in the system tray: park() shows the tray icon
// (the program's icon, with a tip of at most 63 characters) and hides the
// window; a click on the icon removes it and brings the window back. The
// parker is a child of the window and goes with it.
class TrayParking final : public QObject {
  public:
    static constexpr int kMaxTipLength = 63;

    TrayParking(QWidget& window, const QIcon& icon, const QString& tip);
    ~TrayParking() override;

    // Whether the desktop has a system tray to park in.
    static bool trayAvailable();

    // Returns false, leaving the window as it is, without a system tray.
    bool park();
    void restore();
    bool parked() const { return parked_; }
    QSystemTrayIcon* icon() const { return icon_; }

  private:
    QWidget& window_;
    QSystemTrayIcon* icon_;
    bool parked_ = false;
};

} // namespace bv::gui
