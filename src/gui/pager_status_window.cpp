#include "gui/pager_status_window.h"

#include <QLabel>
#include <QPushButton>

#include "app/base/strings_paging.h"
#include "gui/qt_text.h"

namespace bv::gui {

namespace {
constexpr int kWidth = 300;
constexpr int kHeight = 80;
constexpr QRect kTextRect{30, 15, 240, 25};
constexpr QRect kCancelRect{110, 45, 80, 25};
constexpr int kFontPixels = 16;
constexpr int kFrameWidth = 2;
} // namespace

PagerStatusWindow::PagerStatusWindow(QWidget* mainWindow)
    : QFrame(mainWindow), text_(new QLabel(this)), cancelButton_(new QPushButton(this))
{
    setObjectName(QStringLiteral("PagerStatusClass"));
    setWindowTitle(qText(app::strings::kPagerStatusCaption));
    setFrameStyle(QFrame::Panel | QFrame::Raised); // the dialog frame
    setLineWidth(kFrameWidth);
    setAutoFillBackground(true);
    setFixedSize(kWidth, kHeight);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kFontPixels);
    font.setWeight(QFont::Normal);
    text_->setObjectName(QStringLiteral("PagerStatusText"));
    text_->setFont(font);
    text_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    text_->setGeometry(kTextRect);
    cancelButton_->setObjectName(QStringLiteral("PagerStatusCancel"));
    cancelButton_->setText(qText(app::strings::kPagerStatusCancel));
    cancelButton_->setFont(font);
    cancelButton_->setGeometry(kCancelRect);
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        // A copy: the engine closes the window in turn, which forgets cancel_.
        const std::function<void()> cancel = cancel_;
        if (cancel)
            cancel();
    });
    hide();
}

void PagerStatusWindow::openWindow(std::function<void()> cancel)
{
    cancel_ = std::move(cancel);
    text_->clear();
    const QWidget* main = parentWidget();
    move((main->width() - (kWidth - 1)) / 2, (main->height() - (kHeight - 1)) / 2);
    show();
    raise();
}

void PagerStatusWindow::showText(std::string_view text)
{
    text_->setText(qText(text));
}

void PagerStatusWindow::closeWindow()
{
    cancel_ = nullptr;
    hide();
}

} // namespace bv::gui
