#include "qxdialog.h"

#include "focusring.h"

#include <QBitmap>
#include <QDebug>
#include <QMouseEvent>
#include <QPixmap>

QxDialog::QxDialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, FramelessWindow::withoutSystemFrame(flags))
{
    CFocusRing::install(this);
}

void QxDialog::setShapeFromImage(const QString &path)
{
    const QPixmap picture(path);
    if (picture.isNull()) {
        // An empty mask would make the window vanish and a 0 x 0 size
        // would leave nothing to click: keep the current shape.
        qDebug() << "QxDialog: cannot load window shape" << path;
        return;
    }
    resize(picture.size());
    FramelessWindow::shapeWindow(this, picture.createMaskFromColor(QColor(Qt::transparent)));
}

void QxDialog::mousePressEvent(QMouseEvent *event)
{
    drag.press(event);
}

void QxDialog::mouseReleaseEvent(QMouseEvent *)
{
    // Any button ends the drag, even one other than the button that began it.
    drag.release();
}

void QxDialog::mouseMoveEvent(QMouseEvent *event)
{
    drag.move(event);
}
