#pragma once

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTest>
#include <QTimer>

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
