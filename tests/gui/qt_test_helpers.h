#pragma once

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/base/config_record.h"
#include "app/base/dialog_host.h"
#include "app/base/shell.h"
#include "gui/qt_ui.h"
#include "support/virtual_time.h"
#include "units/regional_settings.h"

namespace bv::guitest {

// Runs f on the next turn of whichever event loop runs then: the modal loop of
// a dialog or message box that the code under test is about to open.
inline void later(std::function<void()> f)
{
    QTimer::singleShot(0, std::move(f));
}

// The modal window in front (a dialog or a message box).
template <class W = QDialog> W* frontModal()
{
    return qobject_cast<W*>(QApplication::activeModalWidget());
}

// What a dialog drawn by the Qt renderer runs against: a station directory,
// the Qt Ui and a shell on virtual time.
class QtDialogTest : public testing::Test {
  protected:
    QTemporaryDir station;
    gui::QtUi ui;
    testsupport::VirtualTime time;
    units::RegionalSettings regional;
    app::Shell shell{ui, time, regional};
    app::DialogHost host{ui};
    app::ConfigRecord config;
};

inline QWidget* controlOf(const QWidget* dialog, int id)
{
    return dialog->findChild<QWidget*>(QString::number(id));
}

// A left click where a button's indicator or text is, as the user clicks it.
inline void clickButton(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// With BV_SNAPSHOT_DIR set, saves the widget as it looks to NAME.png there.
inline void snapshot(QWidget* widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("BV_SNAPSHOT_DIR");
    if (!dir.isEmpty())
        widget->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

} // namespace bv::guitest
