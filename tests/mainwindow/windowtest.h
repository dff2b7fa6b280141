#pragma once

// Helpers shared by the window tests.

#include <QSettings>
#include <QWidget>

// The named child widget of a window; a test cannot go on without it.
template<typename T>
T *child(QWidget *parent, const char *name)
{
    T *widget = parent->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

// The program's settings store, as the windows open it (here in the test's
// private home, see tests/CMakeLists.txt).
inline QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Zentavo"),
                     QStringLiteral("Tonquill"));
}
