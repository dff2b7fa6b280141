#pragma once

#include <QPoint>
#include <Qt>
#include <QString>

#include <functional>

class QBitmap;
class QMouseEvent;
class QWidget;
class QWindow;

// What the skinned, frameless windows share: their outline and how the user
// moves them.
namespace FramelessWindow {

// Whether the platform cuts top-level windows by a mask. Wayland has no such
// thing (a client can only draw transparent pixels); X11 has, with or
// without a compositor, and so has Windows.
bool platformTakesMasks(const QString &platformName);
bool platformTakesMasks();

// The flags that hide a skinned window's system frame. On Windows the
// window's mask does it (it covers only the client area), and the window
// keeps the frame's behaviour (the taskbar minimises and restores it);
// elsewhere the window manager draws the frame outside the mask, so it is
// switched off.
Qt::WindowFlags withoutSystemFrame(Qt::WindowFlags flags);

// Gives a top-level window the outline of its picture: outside is the set
// part of the bitmap (as QPixmap::createMaskFromColor makes it, MaskInColor).
// Where masks work the window is cut by one; elsewhere it also gets an alpha
// channel and must paint its picture with the picture's own transparency,
// and the mask only decides where it takes the pointer. Call it before the
// window is first shown.
void shapeWindow(QWidget *window, const QBitmap &outline);
// The same for a window that is a plain rectangle: only hides the system
// frame where a mask is what hides it.
void shapeRectangular(QWidget *window);

// The compositor's move of a window (QWindow::startSystemMove); false where
// the platform has none. Tests replace it.
using SystemMove = std::function<bool(QWindow *)>;
SystemMove &systemMove();

} // namespace FramelessWindow

// Moving a frameless window by dragging a free spot of it with the left
// button. A client's own move() is ignored on Wayland, so the first move of
// a drag asks the compositor to take over where it can; elsewhere (no window
// manager, offscreen) the window follows the pointer itself.
class CWindowDrag final
{
public:
    explicit CWindowDrag(QWidget *window);

    // Each returns whether the event belonged to a drag.
    bool press(const QMouseEvent *event);
    bool move(const QMouseEvent *event);
    void release();

    bool dragging() const { return offset != QPoint(-1, -1); }

private:
    QWidget *window;
    // Pointer offset from the frame's top-left; (-1, -1) when idle.
    QPoint offset{-1, -1};
    // The compositor is moving the window for the rest of this drag.
    bool handedOver = false;
};
