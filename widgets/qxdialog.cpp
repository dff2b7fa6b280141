#include "qxdialog.h"

#include "focusring.h"

#include <QBitmap>
#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

QxDialog::QxDialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, FramelessWindow::withoutSystemFrame(flags))
{
    // Widgets stand at fixed places on a picture drawn for a window that
    // reads from the left; Qt would mirror only those in layouts.
    setLayoutDirection(Qt::LeftToRight);
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
    if (FramelessWindow::platformTakesMasks())
        outlinePicture = picture;
}

void QxDialog::paintEvent(QPaintEvent *event)
{
    if (!outlinePicture.isNull() && devicePixelRatio() > 1.0) {
        QPainter painter(this);
        // Stretched pixel for pixel, so that it covers its outline whole.
        painter.drawPixmap(QRect(QPoint(0, 0), outlinePicture.deviceIndependentSize().toSize()), outlinePicture);
    }
    QDialog::paintEvent(event);
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
