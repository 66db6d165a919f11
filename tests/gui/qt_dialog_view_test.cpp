#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "gui/qt_dialog_view.h"
#include "recording_client.h"

namespace bv::guitest {
namespace {

using platform::Notification;
using Command = RecordingClient::Command;

// Runs f once the modal loop of the view is running.
void whenRunning(std::function<void()> f)
{
    QTimer::singleShot(0, std::move(f));
}

class QtDialogViewTest : public testing::Test {
  protected:
    RecordingClient client{everyKindTemplate()};
    gui::QtDialogView view{client, nullptr};

    template <class W> W* widget(int id) { return qobject_cast<W*>(view.control(id)); }
};

TEST_F(QtDialogViewTest, BuildsAWidgetForEveryKindNamedByItsId)
{
    const struct {
        int id;
        const char* className;
    } expected[] = {
        {ids::kLabel, "QLabel"},         {ids::kEdit, "QLineEdit"},
        {ids::kNumber, "QLineEdit"},     {ids::kPassword, "QLineEdit"},
        {ids::kNotes, "QPlainTextEdit"}, {ids::kCheck, "QCheckBox"},
        {ids::kGroup, "QGroupBox"},      {ids::kRadioA, "QRadioButton"},
        {ids::kList, "QListWidget"},     {ids::kMultiList, "QListWidget"},
        {ids::kDropDown, "QComboBox"},   {ids::kSpin, "QSpinBox"},
        {ids::kSlider, "QSlider"},       {ids::kProgress, "QProgressBar"},
        {ids::kPicture, "QLabel"},       {platform::IdOk, "QPushButton"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        QWidget* w = view.window()->findChild<QWidget*>(QString::number(e.id));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w, view.control(e.id));
        EXPECT_STREQ(w->metaObject()->className(), e.className);
    }
    EXPECT_EQ(view.control(999), nullptr);
    EXPECT_EQ(view.window()->windowTitle(), "Every Kind");
}

TEST_F(QtDialogViewTest, AppliesTheTemplatesHints)
{
    EXPECT_EQ(widget<QLineEdit>(ids::kEdit)->maxLength(), 12);
    // The limit holds for text the logic sets as well.
    view.setText(ids::kEdit, "thirteen char");
    EXPECT_EQ(view.text(ids::kEdit), "thirteen cha");
    EXPECT_EQ(widget<QLineEdit>(ids::kPassword)->echoMode(), QLineEdit::Password);
    EXPECT_NE(widget<QLineEdit>(ids::kNumber)->validator(), nullptr);
    EXPECT_EQ(widget<QListWidget>(ids::kList)->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(widget<QListWidget>(ids::kMultiList)->selectionMode(),
              QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(widget<QListWidget>(ids::kList)->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(widget<QSpinBox>(ids::kSpin)->minimum(), 1);
    EXPECT_EQ(widget<QSpinBox>(ids::kSpin)->maximum(), 12);
    EXPECT_EQ(widget<QSlider>(ids::kSlider)->maximum(), 50);
    EXPECT_TRUE(widget<QPushButton>(platform::IdOk)->isDefault());
    EXPECT_FALSE(widget<QLabel>(ids::kPicture)->pixmap().isNull());
    // Radio buttons live in their group box; the button row keeps template
    // column order left to right.
    EXPECT_EQ(view.control(ids::kRadioA)->parentWidget(), view.control(ids::kGroup));
    view.window()->adjustSize();
    EXPECT_LT(view.control(platform::IdOk)->x(), view.control(platform::IdCancel)->x());
    EXPECT_LT(view.control(platform::IdCancel)->x(), view.control(ids::kHelp)->x());
    EXPECT_GT(view.control(platform::IdOk)->y(), view.control(ids::kApply)->y());
    // A wide edit asks for its 20 characters.
    EXPECT_GE(view.control(ids::kEdit)->minimumWidth(),
              20 * view.control(ids::kEdit)->fontMetrics().averageCharWidth());
}

TEST_F(QtDialogViewTest, LabelsShowTheirMnemonicOnlyWithABuddy)
{
    auto* name = widget<QLabel>(ids::kLabel);
    EXPECT_EQ(name->buddy(), view.control(ids::kEdit));
    EXPECT_EQ(name->text(), "&Name:");
    // Nothing to jump to: the '&' is dropped and "&&" shows one '&'.
    EXPECT_EQ(widget<QLabel>(ids::kPlainLabel)->text(), "Fish & Chips");
    EXPECT_EQ(view.text(ids::kPlainLabel), "Fish && &Chips");
    view.setText(ids::kPlainLabel, "&Salt");
    EXPECT_EQ(widget<QLabel>(ids::kPlainLabel)->text(), "Salt");
    EXPECT_EQ(view.text(ids::kPlainLabel), "&Salt");
}

TEST_F(QtDialogViewTest, TextGoesBothWaysForEveryTextKind)
{
    for (int id : std::initializer_list<int>{ids::kLabel, ids::kEdit, ids::kPassword, ids::kNotes,
                                             ids::kCheck, ids::kGroup, platform::IdOk}) {
        SCOPED_TRACE(id);
        view.setText(id, "°C & more");
        EXPECT_EQ(view.text(id), "°C & more");
    }
    EXPECT_EQ(widget<QPlainTextEdit>(ids::kNotes)->toPlainText(), "°C & more");
    EXPECT_EQ(widget<QGroupBox>(ids::kGroup)->title(), "°C & more");
    // Spin boxes read and take their value as text.
    view.setText(ids::kSpin, "7");
    EXPECT_EQ(view.value(ids::kSpin), 7);
    EXPECT_EQ(view.text(ids::kSpin), "7");
    EXPECT_EQ(view.text(999), "");
    EXPECT_TRUE(client.commands.empty()) << "setters must not notify the logic";
}

TEST_F(QtDialogViewTest, RadioButtonsOfAGroupExcludeEachOtherAndCanBeCleared)
{
    view.setChecked(ids::kRadioA, true);
    view.setChecked(ids::kRadioB, true);
    EXPECT_FALSE(view.checked(ids::kRadioA));
    EXPECT_TRUE(view.checked(ids::kRadioB));
    view.setChecked(ids::kRadioB, false);
    EXPECT_FALSE(view.checked(ids::kRadioB));
    view.setChecked(ids::kCheck, true);
    EXPECT_TRUE(view.checked(ids::kCheck));
    EXPECT_FALSE(view.checked(ids::kEdit));
    EXPECT_TRUE(client.commands.empty());
}

TEST_F(QtDialogViewTest, ListsKeepItemsAndSelection)
{
    view.setItems(ids::kList, {"one", "two", "three"});
    EXPECT_EQ(view.items(ids::kList), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(view.currentIndex(ids::kList), -1);
    view.setCurrentIndex(ids::kList, 1);
    EXPECT_EQ(view.currentIndex(ids::kList), 1);
    EXPECT_EQ(view.text(ids::kList), "two");
    view.setSelected(ids::kList, 2, true);
    EXPECT_EQ(view.selectedIndexes(ids::kList), std::vector<int>{2});
    view.setItems(ids::kList, {"four"});
    EXPECT_EQ(view.currentIndex(ids::kList), -1);

    view.setItems(ids::kMultiList, {"a", "b", "c", "d"});
    view.setSelected(ids::kMultiList, 3, true);
    view.setSelected(ids::kMultiList, 0, true);
    view.setSelected(ids::kMultiList, 2, true);
    view.setSelected(ids::kMultiList, 2, false);
    EXPECT_EQ(view.selectedIndexes(ids::kMultiList), (std::vector<int>{0, 3}));

    view.setItems(ids::kDropDown, {"mph", "knot"});
    EXPECT_EQ(view.currentIndex(ids::kDropDown), -1);
    view.setCurrentIndex(ids::kDropDown, 1);
    EXPECT_EQ(view.text(ids::kDropDown), "knot");
    view.setText(ids::kDropDown, "mph");
    EXPECT_EQ(view.currentIndex(ids::kDropDown), 0);
    view.setCurrentIndex(ids::kDropDown, 5);
    EXPECT_EQ(view.currentIndex(ids::kDropDown), -1);
    EXPECT_TRUE(client.commands.empty());
}

TEST_F(QtDialogViewTest, ValuesAreClampedToTheirRange)
{
    const struct {
        int id;
        int set;
        int expected;
    } cases[] = {
        {ids::kSpin, 40, 12},       {ids::kSpin, -3, 1},     {ids::kSlider, 25, 25},
        {ids::kProgress, 150, 100}, {ids::kProgress, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        view.setValue(c.id, c.set);
        EXPECT_EQ(view.value(c.id), c.expected);
    }
    view.setRange(ids::kProgress, 0, 1000);
    view.setValue(ids::kProgress, 640);
    EXPECT_EQ(view.value(ids::kProgress), 640);
    EXPECT_TRUE(client.commands.empty());
}

TEST_F(QtDialogViewTest, EnabledAndVisibleAreEachControlsOwnState)
{
    view.setEnabled(ids::kGroup, false);
    EXPECT_FALSE(view.enabled(ids::kGroup));
    EXPECT_TRUE(view.enabled(ids::kRadioA)); // its own state; shown greyed with its group
    EXPECT_FALSE(view.control(ids::kRadioA)->isEnabled());
    view.setVisible(ids::kEdit, false);
    EXPECT_FALSE(view.visible(ids::kEdit));
    EXPECT_TRUE(view.visible(ids::kNumber)); // before the dialog is shown, too
    view.setVisible(ids::kEdit, true);
    EXPECT_TRUE(view.visible(ids::kEdit));
    EXPECT_FALSE(view.enabled(999));
}

TEST_F(QtDialogViewTest, UserActionsReachTheLogicByControlId)
{
    view.window()->show();
    QTest::mouseClick(view.control(ids::kApply), Qt::LeftButton);
    QWidget* check = view.control(ids::kCheck);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
    QTest::keyClicks(view.control(ids::kEdit), "x");
    view.setItems(ids::kList, {"one", "two"});
    auto* list = widget<QListWidget>(ids::kList);
    const QRect second = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(view.control(ids::kPicture), Qt::LeftButton);
    auto* spin = widget<QSpinBox>(ids::kSpin);
    QTest::keyClick(spin, Qt::Key_Up);

    const std::vector<Command> expected = {
        {ids::kApply, Notification::Clicked},      {ids::kCheck, Notification::Clicked},
        {ids::kEdit, Notification::Changed},       {ids::kList, Notification::SelChanged},
        {ids::kList, Notification::DoubleClicked}, {ids::kPicture, Notification::DoubleClicked},
        {ids::kSpin, Notification::Changed},
    };
    EXPECT_EQ(client.commands, expected);
    EXPECT_TRUE(view.checked(ids::kCheck));
    EXPECT_EQ(view.text(ids::kEdit), "firstx");
    EXPECT_EQ(view.currentIndex(ids::kList), 1);
}

TEST(QtDialogViewRun, OpensBeforeShowingAndReturnsTheResultPassedToEnd)
{
    RecordingClient client(everyKindTemplate());
    gui::QtDialogView* running = nullptr;
    bool visibleAtOpen = true;
    client.onOpenDo = [&](platform::DialogView& v) {
        visibleAtOpen = running->window()->isVisible();
        v.setText(ids::kEdit, "from open");
    };
    client.onCommandDo = [](platform::DialogView& v, int id, Notification) {
        if (id == platform::IdOk)
            v.end(5);
    };
    gui::QtDialogView view(client, nullptr);
    running = &view;
    whenRunning([&] {
        EXPECT_TRUE(view.window()->isVisible());
        EXPECT_EQ(view.text(ids::kEdit), "from open");
        QTest::mouseClick(view.control(platform::IdOk), Qt::LeftButton);
    });
    EXPECT_EQ(view.run(), 5);
    EXPECT_EQ(client.opened, 1);
    EXPECT_FALSE(visibleAtOpen);
    EXPECT_FALSE(view.window()->isVisible());
}

TEST(QtDialogViewRun, ADialogEndedWhileOpeningIsNeverShown)
{
    RecordingClient client(everyKindTemplate());
    client.onOpenDo = [](platform::DialogView& v) { v.end(platform::IdCancel); };
    gui::QtDialogView view(client, nullptr);
    bool shown = false;
    whenRunning([&] { shown = view.window()->isVisible(); });
    EXPECT_EQ(view.run(), platform::IdCancel);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
}

TEST(QtDialogViewRun, EscapeAsksTheLogicWhichMayRefuse)
{
    RecordingClient client(everyKindTemplate());
    int cancels = 0;
    client.onCommandDo = [&](platform::DialogView& v, int id, Notification) {
        if (id == platform::IdCancel && ++cancels == 2)
            v.end(platform::IdCancel);
    };
    gui::QtDialogView view(client, nullptr);
    whenRunning([&] {
        QTest::keyClick(view.window(), Qt::Key_Escape);
        EXPECT_TRUE(view.window()->isVisible()) << "the logic did not end the dialog";
        view.window()->close();
    });
    EXPECT_EQ(view.run(), platform::IdCancel);
    EXPECT_EQ(cancels, 2);
}

TEST(QtDialogViewRun, F1AndDeleteReachTheDialogAsCommands)
{
    RecordingClient client(everyKindTemplate());
    std::vector<Command> keys;
    client.onCommandDo = [&](platform::DialogView& v, int id, Notification what) {
        if (id == platform::IdHelpKey || id == platform::IdDeleteKey)
            keys.push_back({id, what});
        if (id == platform::IdOk)
            v.end(platform::IdOk);
    };
    client.onOpenDo = [](platform::DialogView& v) { v.setItems(ids::kList, {"entry"}); };
    gui::QtDialogView view(client, nullptr);
    whenRunning([&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.window()));
        QWidget* edit = view.control(ids::kEdit);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F1);
        // An edit uses Delete itself: a character goes, no command.
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete);
        EXPECT_EQ(view.text(ids::kEdit), "irst");
        QWidget* list = view.control(ids::kList);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::mouseClick(view.control(platform::IdOk), Qt::LeftButton);
    });
    EXPECT_EQ(view.run(), platform::IdOk);
    const std::vector<Command> expected = {{platform::IdHelpKey, Notification::Clicked},
                                           {platform::IdDeleteKey, Notification::Clicked}};
    EXPECT_EQ(keys, expected);
}

TEST(QtDialogViewRun, EnterPressesTheFocusedButtonElseTheDefaultOne)
{
    RecordingClient client(everyKindTemplate());
    int step = 0;
    client.onCommandDo = [&](platform::DialogView& v, int id, Notification) {
        if (id == platform::IdOk || id == platform::IdCancel)
            v.end(id * 10 + ++step);
    };
    for (int expected : {21, 12}) {
        gui::QtDialogView view(client, nullptr);
        whenRunning([&] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(view.window()));
            // First run: Cancel has the focus; second run: an edit has it.
            QWidget* focus = view.control(expected == 21 ? platform::IdCancel : ids::kEdit);
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Return);
        });
        EXPECT_EQ(view.run(), expected);
    }
}

TEST(QtDialogViewRun, DialogTimersTickUntilKilledOrEnded)
{
    RecordingClient client(everyKindTemplate());
    client.onOpenDo = [](platform::DialogView& v) {
        v.startTimer(1, 5);
        v.startTimer(2, 5);
    };
    client.onTimerDo = [&](platform::DialogView& v, int timerId) {
        if (timerId == 1)
            v.killTimer(1);
        const auto ticksOf2 = std::count(client.timers.begin(), client.timers.end(), 2);
        if (timerId == 2 && ticksOf2 == 3)
            v.end(platform::IdOk);
    };
    gui::QtDialogView view(client, nullptr);
    EXPECT_EQ(view.run(), platform::IdOk);
    EXPECT_EQ(std::count(client.timers.begin(), client.timers.end(), 1), 1);
    EXPECT_EQ(std::count(client.timers.begin(), client.timers.end(), 2), 3);
    // After the end nothing ticks any more.
    QTest::qWait(30);
    EXPECT_EQ(client.timers.size(), 4u);
}

TEST(QtDialogViewRun, ADialogWhoseOwnerGoesAwayEndsAsCancelled)
{
    RecordingClient client(everyKindTemplate());
    client.onOpenDo = [](platform::DialogView& v) { v.startTimer(1, 1); };
    auto* owner = new QWidget;
    gui::QtDialogView view(client, owner);
    whenRunning([&] { delete owner; });
    EXPECT_EQ(view.run(), platform::IdCancel);
    EXPECT_EQ(view.window(), nullptr);
}

TEST(QtDialogViewColours, TheTemplatesColoursPaintTheClientArea)
{
    platform::DialogTemplate t = everyKindTemplate();
    t.backgroundColor = 0x0000FF;
    t.textColor = 0xFFFF00;
    RecordingClient client(t);
    gui::QtDialogView view(client, nullptr);
    const QPalette palette = view.control(ids::kLabel)->palette();
    EXPECT_EQ(palette.color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(palette.color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_TRUE(view.window()->autoFillBackground());

    RecordingClient plainClient(everyKindTemplate());
    gui::QtDialogView plain(plainClient, nullptr);
    EXPECT_FALSE(plain.window()->autoFillBackground());
}

} // namespace
} // namespace bv::guitest
