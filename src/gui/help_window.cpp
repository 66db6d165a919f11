#include "gui/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace bv::gui {
namespace {

// Room for about 80 characters by 30 lines of help text.
constexpr int kWidthChars = 80;
constexpr int kHeightLines = 30;

} // namespace

QString helpAnchor(int topic)
{
    return topic == 0 ? QStringLiteral("contents") : QStringLiteral("topic%1").arg(topic);
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), browser_(new QTextBrowser)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Brisvane Viraraz Help"));
    browser_->setOpenExternalLinks(true);

    auto* back = new QPushButton(QStringLiteral("&Back"));
    auto* forward = new QPushButton(QStringLiteral("&Forward"));
    auto* contents = new QPushButton(QStringLiteral("&Contents"));
    auto* close = new QPushButton(QStringLiteral("C&lose"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this, [this] {
        if (browser_->source().isEmpty())
            return;
        QUrl url = browser_->source();
        url.setFragment(helpAnchor(0));
        browser_->setSource(url, QTextDocument::HtmlResource);
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    const QFontMetrics metrics = browser_->fontMetrics();
    resize(metrics.averageCharWidth() * kWidthChars, metrics.lineSpacing() * kHeightLines);
}

void HelpWindow::showTopic(const QString& helpFile, int topic)
{
    if (!QFileInfo::exists(helpFile)) {
        browser_->setPlainText(
            QStringLiteral("The help file %1 was not found. It belongs in the station directory.")
                .arg(helpFile));
    } else {
        QUrl url = QUrl::fromLocalFile(helpFile);
        url.setFragment(helpAnchor(topic));
        // The file's suffix is not ".html": say what it holds.
        browser_->setSource(url, QTextDocument::HtmlResource);
        browser_->scrollToAnchor(helpAnchor(topic));
    }
    show();
    raise();
    activateWindow();
}

} // namespace bv::gui
