#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "gui/help_window.h"
#include "gui/qt_ui.h"
#include "qt_test_helpers.h"
#include "recording_client.h"

namespace bv::guitest {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;

TEST(QtUi, MessageBoxesShowTheRequestAndAnswerWithThePressedButton)
{
    const struct {
        MessageButtons buttons;
        MessageIcon icon;
        QMessageBox::Icon shown;
        std::vector<std::pair<QMessageBox::StandardButton, MessageResult>> answers;
    } cases[] = {
        {MessageButtons::Ok,
         MessageIcon::None,
         QMessageBox::NoIcon,
         {{QMessageBox::Ok, MessageResult::Ok}}},
        {MessageButtons::OkCancel,
         MessageIcon::Information,
         QMessageBox::Information,
         {{QMessageBox::Ok, MessageResult::Ok}, {QMessageBox::Cancel, MessageResult::Cancel}}},
        {MessageButtons::YesNo,
         MessageIcon::Stop,
         QMessageBox::Critical,
         {{QMessageBox::Yes, MessageResult::Yes}, {QMessageBox::No, MessageResult::No}}},
        {MessageButtons::YesNoCancel,
         MessageIcon::Question,
         QMessageBox::Question,
         {{QMessageBox::Yes, MessageResult::Yes},
          {QMessageBox::No, MessageResult::No},
          {QMessageBox::Cancel, MessageResult::Cancel}}},
        {MessageButtons::RetryCancel,
         MessageIcon::Warning,
         QMessageBox::Warning,
         {{QMessageBox::Retry, MessageResult::Retry},
          {QMessageBox::Cancel, MessageResult::Cancel}}},
    };
    gui::QtUi ui;
    for (const auto& c : cases) {
        for (const auto& [press, expected] : c.answers) {
            SCOPED_TRACE(static_cast<int>(expected));
            platform::MessageBoxRequest request;
            request.caption = "Warning";
            request.text = "Cancel all pending pages ?";
            request.buttons = c.buttons;
            request.icon = c.icon;
            later([&] {
                auto* box = frontModal<QMessageBox>();
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->windowTitle(), "Warning");
                EXPECT_EQ(box->text(), "Cancel all pending pages ?");
                EXPECT_EQ(box->icon(), c.shown);
                EXPECT_EQ(box->buttons().size(), static_cast<qsizetype>(c.answers.size()));
                EXPECT_EQ(box->defaultButton(), box->button(c.answers.front().first));
                box->button(press)->click();
            });
            EXPECT_EQ(ui.messageBox(request), expected);
        }
    }
}

TEST(QtUi, EscapeOnAYesNoBoxAnswersNo)
{
    gui::QtUi ui;
    platform::MessageBoxRequest request;
    request.caption = "Confirm";
    request.text = "Exit Brisvane Viraraz ?";
    request.buttons = MessageButtons::YesNo;
    later([] { QTest::keyClick(frontModal<QMessageBox>(), Qt::Key_Escape); });
    EXPECT_EQ(ui.messageBox(request), MessageResult::No);
}

TEST(QtUi, BusyCursorAlternatesItsTwoCupsAndRestoresOnlyItsOwnCursor)
{
    gui::QtUi ui;
    QApplication::setOverrideCursor(Qt::IBeamCursor); // someone else's
    ui.showBusyCursor(platform::BusyFrame::Cup1);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    const QImage cup1 = QApplication::overrideCursor()->pixmap().toImage();
    ui.showBusyCursor(platform::BusyFrame::Cup2);
    const QImage cup2 = QApplication::overrideCursor()->pixmap().toImage();
    EXPECT_FALSE(cup1.isNull());
    EXPECT_FALSE(cup2.isNull());
    EXPECT_NE(cup1, cup2);
    ui.restoreCursor();
    ui.restoreCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::IBeamCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtUi, StatusLineAndLogViewerGoToTheMainWindowsSinks)
{
    gui::QtUi ui;
    ui.setStatusText("ignored before the main window is there");
    ui.eventLogChanged();
    QString status;
    int reloads = 0;
    ui.setStatusSink([&](const QString& text) { status = text; });
    ui.setEventLogSink([&] { ++reloads; });
    ui.setStatusText(" 3/05/01  1:05p Archive Memory cleared.");
    ui.eventLogChanged();
    EXPECT_EQ(status, " 3/05/01  1:05p Archive Memory cleared.");
    EXPECT_EQ(reloads, 1);
}

TEST(QtUi, RunModalOwnsTheDialogByTheMainWindowOrTheDialogInFront)
{
    gui::QtUi ui;
    QWidget mainWindow;
    ui.setMainWindow(&mainWindow);
    RecordingClient outer(everyKindTemplate());
    platform::DialogTemplate innerTemplate = everyKindTemplate();
    innerTemplate.name = "INNER";
    RecordingClient inner(innerTemplate);
    QWidget* outerParent = nullptr;
    QString innerOwner; // the outer dialog is gone when the run returns
    outer.onCommandDo = [&](platform::DialogView& v, int id, platform::Notification) {
        if (id == ids::kApply) {
            EXPECT_EQ(ui.runModal(inner), 4);
        }
        if (id == platform::IdOk)
            v.end(3);
    };
    inner.onOpenDo = [&](platform::DialogView& v) {
        later([&] {
            innerOwner = frontModal()->parentWidget()->objectName();
            v.end(4);
        });
    };
    later([&] {
        QDialog* dialog = frontModal();
        outerParent = dialog->parentWidget();
        clickButton(controlOf(dialog, ids::kApply));
        clickButton(controlOf(dialog, platform::IdOk));
    });
    EXPECT_EQ(ui.runModal(outer), 3);
    EXPECT_EQ(outerParent, &mainWindow);
    EXPECT_EQ(innerOwner, "EVERY_KIND");
}

TEST(QtUi, HelpOpensTheStationDirectorysHelpFileAtTheTopic)
{
    QTemporaryDir station;
    gui::QtUi ui;
    ui.setStationDirectory(station.path());
    EXPECT_EQ(ui.helpFilePath(), station.filePath("Viraraz.hlp"));
    ui.showHelp(40);
    ASSERT_NE(ui.helpWindow(), nullptr);
    EXPECT_TRUE(ui.helpWindow()->isVisible());
    EXPECT_TRUE(ui.helpWindow()->browser()->toPlainText().contains("was not found"));

    QFile file(station.filePath("Viraraz.hlp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><a name=\"contents\"></a><h1>Contents</h1>"
               "<a name=\"topic40\"></a><h2>Units topic</h2></body></html>");
    file.close();
    ui.showHelp(40);
    EXPECT_EQ(ui.helpWindow()->browser()->source().fragment(), "topic40");
    EXPECT_TRUE(ui.helpWindow()->browser()->toPlainText().contains("Units topic"));
    ui.showHelp(0);
    EXPECT_EQ(ui.helpWindow()->browser()->source().fragment(), "contents");
}

} // namespace
} // namespace bv::guitest
