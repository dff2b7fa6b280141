#include "framelesswindow.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace FramelessWindow {

bool platformTakesMasks(const QString &platformName)
{
    return !platformName.startsWith(QLatin1String("wayland"));
}

bool platformTakesMasks()
{
    return platformTakesMasks(QGuiApplication::platformName());
}

Qt::WindowFlags withoutSystemFrame(Qt::WindowFlags flags)
{
#ifdef Q_OS_WIN
    return flags;
#else
    return flags | Qt::FramelessWindowHint;
#endif
}

void shapeWindow(QWidget *window, const QBitmap &outline)
{
    if (!window || outline.isNull())
        return;
    // Must be set before the native window exists, so that its surface is
    // made with an alpha channel.
    if (!platformTakesMasks())
        window->setAttribute(Qt::WA_TranslucentBackground);
    // On Wayland, which cuts nothing, Qt makes the mask the surface's input
    // region: clicks on the transparent surround then reach what lies
    // below, rather than the window (where a press would start a drag).
    window->setMask(outline);
}

void shapeRectangular(QWidget *window)
{
    if (!window || !platformTakesMasks())
        return;
    QBitmap whole(window->size());
    whole.fill(Qt::color1);
    window->setMask(whole);
}

SystemMove &systemMove()
{
    static SystemMove move = [](QWindow *window) { return window && window->startSystemMove(); };
    return move;
}

} // namespace FramelessWindow

CWindowDrag::CWindowDrag(QWidget *window)
    : window(window)
{
}

bool CWindowDrag::press(const QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    offset = event->globalPosition().toPoint() - window->frameGeometry().topLeft();
    handedOver = false;
    return true;
}

bool CWindowDrag::move(const QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !dragging())
        return false;
    if (handedOver)
        return true;
    // Only once the pointer moves: a plain click (which closes the About box)
    // must reach the window whole, and a compositor that takes the pointer
    // over may keep the release to itself.
    if (FramelessWindow::systemMove()(window->windowHandle())) {
        handedOver = true;
        return true;
    }
    window->move(event->globalPosition().toPoint() - offset);
    return true;
}

void CWindowDrag::release()
{
    offset = QPoint(-1, -1);
    handedOver = false;
}
