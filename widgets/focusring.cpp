#include "focusring.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QStyleOption>

CFocusRing *CFocusRing::install(QWidget *window)
{
    return new CFocusRing(window);
}

CFocusRing::CFocusRing(QWidget *window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    // Focus events go to the control itself, not to its window: only the
    // application sees them all. The filter is gone with the ring.
    qApp->installEventFilter(this);
}

bool CFocusRing::eventFilter(QObject *object, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // The ring appears once the user moves through the window by keys;
        // the focus a window hands its first control when it opens (by a
        // Tab reason, too) shows none.
        auto *widget = qobject_cast<QWidget *>(object);
        if (widget && widget->window() == window())
            keysUsed = true;
        break;
    }
    case QEvent::FocusIn: {
        auto *widget = qobject_cast<QWidget *>(object);
        if (!widget || widget->window() != window() || widget == this)
            break;
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        const bool byKeys = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                            || reason == Qt::ShortcutFocusReason;
        const bool byKeyboard = (keysUsed && byKeys)
                                // Focus handed on when the focused control went away
                                // (a button disabled while playing) keeps the mode.
                                || (keyboard && reason != Qt::MouseFocusReason);
        follow(widget, byKeyboard);
        break;
    }
    case QEvent::MouseButtonPress:
        if (qobject_cast<QWidget *>(object) && static_cast<QWidget *>(object)->window() == window()) {
            keysUsed = false;
            if (keyboard)
                follow(watched, false);
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::EnabledChange:
    case QEvent::FocusOut:
        if (object == watched)
            place();
        break;
    default:
        break;
    }
    return false;
}

void CFocusRing::follow(QWidget *widget, bool byKeyboard)
{
    watched = widget;
    keyboard = byKeyboard;
    place();
}

void CFocusRing::place()
{
    QWidget *control = watched;
    if (!keyboard || !control || !control->isVisible() || !control->hasFocus()) {
        hide();
        return;
    }
    const QRect area(control->mapTo(window(), QPoint(0, 0)), control->size());
    setGeometry(area.adjusted(-kFocusRingMargin, -kFocusRingMargin, kFocusRingMargin, kFocusRingMargin));
    // The control's own shape (its pictures, or the frame of a text field)
    // stays visible inside the ring.
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(kFocusRingMargin, kFocusRingMargin,
                                                               -kFocusRingMargin, -kFocusRingMargin))));
    raise();
    show();
    update();
}

void CFocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    if (styleSheet().isEmpty() && !qApp->styleSheet().contains(QLatin1String("CFocusRing"))) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
        return;
    }
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
