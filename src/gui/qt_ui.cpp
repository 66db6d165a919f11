#include "gui/qt_ui.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "gui/help_window.h"
#include "gui/pictures.h"
#include "gui/qt_dialog_view.h"
#include "gui/qt_text.h"

namespace bv::gui {

using platform::MessageResult;

namespace {

QMessageBox::Icon toQtIcon(platform::MessageIcon icon)
{
    switch (icon) {
    case platform::MessageIcon::None:
        return QMessageBox::NoIcon;
    case platform::MessageIcon::Information:
        return QMessageBox::Information;
    case platform::MessageIcon::Warning:
        return QMessageBox::Warning;
    case platform::MessageIcon::Stop:
        return QMessageBox::Critical;
    case platform::MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQtButton(MessageResult button)
{
    switch (button) {
    case MessageResult::Ok:
        return QMessageBox::Ok;
    case MessageResult::Cancel:
        return QMessageBox::Cancel;
    case MessageResult::Retry:
        return QMessageBox::Retry;
    case MessageResult::Yes:
        return QMessageBox::Yes;
    case MessageResult::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

} // namespace

QtUi::QtUi()
    : stationDirectory_(QDir::currentPath()), busyFrames_{busyCursorFrame(QStringLiteral("CUP1")),
                                                          busyCursorFrame(QStringLiteral("CUP2"))}
{
}

QtUi::~QtUi()
{
    restoreCursor();
    delete helpWindow_.data();
}

QWidget* QtUi::activeOwner() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (mainWindow_ != nullptr)
        return mainWindow_;
    return QApplication::activeWindow();
}

void QtUi::setStatusText(const std::string& text)
{
    if (statusSink_)
        statusSink_(QString::fromStdString(text));
}

MessageResult QtUi::messageBox(const platform::MessageBoxRequest& request)
{
    QMessageBox box(toQtIcon(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::NoButton,
                    request.hasOwner ? activeOwner() : nullptr);
    box.setTextFormat(Qt::PlainText);
    const std::vector<MessageResult> buttons = platform::buttonsOf(request.buttons);
    for (MessageResult button : buttons)
        box.addButton(toQtButton(button));
    box.setDefaultButton(toQtButton(buttons.front()));
    const int pressed = box.exec();
    for (MessageResult button : buttons)
        if (pressed == toQtButton(button))
            return button;
    // Closed without a button (Escape on a box without Cancel): the box's
    // Cancel or No button when it has one, else its only button.
    return buttons.back();
}

void QtUi::showBusyCursor(platform::BusyFrame frame)
{
    const QCursor& cursor = busyFrames_[frame == platform::BusyFrame::Cup1 ? 0 : 1];
    if (busyShown_) {
        QApplication::changeOverrideCursor(cursor);
    } else {
        QApplication::setOverrideCursor(cursor);
        busyShown_ = true;
    }
}

void QtUi::restoreCursor()
{
    if (!busyShown_)
        return;
    QApplication::restoreOverrideCursor();
    busyShown_ = false;
}

int QtUi::runModal(platform::DialogClient& dialog)
{
    QtDialogView view(dialog, activeOwner());
    return view.run();
}

void QtUi::eventLogChanged()
{
    if (eventLogSink_)
        eventLogSink_();
}

QString QtUi::helpFilePath() const
{
    return QDir(stationDirectory_).filePath(qText(platform::kHelpFileName));
}

HelpWindow* QtUi::helpWindow() const
{
    return helpWindow_.data();
}

void QtUi::beep()
{
    QApplication::beep();
}

void QtUi::showHelp(int topic)
{
    // A window owned by the modal dialog stays usable while that dialog runs;
    // it closes with its owner.
    QWidget* owner = QApplication::activeModalWidget();
    if (helpWindow_ == nullptr || helpWindow_->parentWidget() != owner) {
        delete helpWindow_.data();
        helpWindow_ = new HelpWindow(owner);
        helpWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    helpWindow_->showTopic(helpFilePath(), topic);
}

std::string QtUi::chooseDirectory(const std::string& title, const std::string& startDir)
{
    return QFileDialog::getExistingDirectory(activeOwner(), QString::fromStdString(title),
                                             QString::fromStdString(startDir))
        .toStdString();
}

std::vector<std::string> QtUi::chooseFiles(const platform::FileFilter& filter,
                                           const std::string& startDir)
{
    const QString filterText =
        QString::fromStdString(filter.name) + " (" + QString::fromStdString(filter.pattern) + ")";
    const QStringList chosen = QFileDialog::getOpenFileNames(
        activeOwner(), QString(), QString::fromStdString(startDir), filterText);
    std::vector<std::string> paths;
    for (const QString& path : chosen)
        paths.push_back(path.toStdString());
    return paths;
}

} // namespace bv::gui
