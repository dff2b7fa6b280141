#pragma once

#include <QPointer>
#include <QWidget>

// The skinned controls draw their own pictures and so no focus rectangle of
// their own: this ring, a child of the window laid over the focused control,
// shows where the keyboard is. It appears once the focus moves by the
// keyboard (Tab, a shortcut, after a key press in the window) and goes when
// the mouse is pressed, as a
// pointer user needs no ring. Its look comes from the style sheet
// ("CFocusRing { border: ... }"); without one it draws a plain frame.
class CFocusRing final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFocusRing)

public:
    // Follows the focus inside window, which owns the ring.
    static CFocusRing *install(QWidget *window);

    QWidget *target() const { return watched; }

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    explicit CFocusRing(QWidget *window);
    void follow(QWidget *widget, bool byKeyboard);
    void place();

    QPointer<QWidget> watched;
    bool keyboard = false;
    // A key was pressed in the window since the last mouse press.
    bool keysUsed = false;
};

// Columns and rows the ring stands out of its control on every side.
inline constexpr int kFocusRingMargin = 3;
