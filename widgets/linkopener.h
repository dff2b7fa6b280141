#pragma once

#include <QObject>
#include <QUrl>

class QWidget;

// Opens a web address or the help page with the desktop's handler, and tells
// the user, with the help page's path, when nothing on the computer could.
class CLinkOpener final : public QObject
{
    Q_OBJECT

public:
    // False when nothing opened it; the user has been told by then.
    static bool open(QWidget *parent, const QUrl &url);
    // What the box says; helpPage is the local help page's path.
    static QString failureText(const QUrl &url, const QString &helpPage);
};
