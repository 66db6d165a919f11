#pragma once

#include <QPixmap>
#include <QWidget>

namespace bv::setup {

// The installer's full-screen background ("SetupClass"): the tile picture
// "113" laid as bricks, 30 rows of 30 tiles of 565 by 157 pixels, every odd
// row shifted left by 282 pixels.
class BackgroundWindow final : public QWidget {
  public:
    explicit BackgroundWindow(const QString& title);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap tile_;
};

} // namespace bv::setup
