#include "volumeslider.h"

#include "picture.h"
#include "volumegeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

using namespace VolumeGeometry;

namespace {
int eventColumn(const QMouseEvent *event)
{
    return event->position().toPoint().x();
}
} // namespace

CVolumeSlider::CVolumeSlider(QWidget *parent)
    : QWidget(parent)
{
    // A missing picture leaves a null pixmap, which simply draws nothing.
    const qreal ratio = pictureRatio();
    pixLeft = QPixmap::fromImage(readPicture(u"volume_left", ratio));
    pixRight = QPixmap::fromImage(readPicture(u"volume_right", ratio));
    pixThumb = QPixmap::fromImage(readPicture(u"volume_thumb", ratio));
    pixAdd = QPixmap::fromImage(readPicture(u"volume_add", ratio));
    pixAdd2 = QPixmap::fromImage(readPicture(u"volume_add2", ratio));
    pixSub = QPixmap::fromImage(readPicture(u"volume_sub", ratio));
    // Mouse tracking stays off: moves only matter while a button is held.
    // Tab reaches it and the arrow keys move it.
    setFocusPolicy(Qt::StrongFocus);
    thumbFromValue();
}

int CVolumeSlider::getVolume() const
{
    return truncatedInt(value);
}

void CVolumeSlider::setPos(double dPos)
{
    value = dPos;
    thumbFromValue();
    update();
}

void CVolumeSlider::mousePressEvent(QMouseEvent *event)
{
    switch (pressZoneAt(eventColumn(event), trackRect)) {
    case PressZone::Minus:
        setValueByUser(steppedValue(value, kPageStep, -1));
        return;
    case PressZone::Plus:
        setValueByUser(steppedValue(value, kPageStep, 1));
        return;
    case PressZone::Track:
        break;
    }
    const int x = clampToTrack(eventColumn(event), trackRect);
    if (hitsThumb(x, thumbX)) {
        lastX = x;
        dragging = 1;
        return;
    }
    // Away from the thumb the press jumps it there; no drag starts.
    thumbX = x;
    update();
    valueFromThumb();
    lastX = x;
}

void CVolumeSlider::mouseReleaseEvent(QMouseEvent *)
{
    dragging = 0;
}

void CVolumeSlider::mouseMoveEvent(QMouseEvent *event)
{
    const int x = snapToCentre(clampToTrack(eventColumn(event), trackRect), width());
    if (x == lastX)
        return;
    if (dragging == 1) {
        thumbX = x;
        valueFromThumb();
        update();
    }
    lastX = x;
}

void CVolumeSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int left = trackRect.left();

    painter.drawPixmap(left, kTrackTop, pixRight);
    const int filled = std::min(thumbX - left, int(pixLeft.deviceIndependentSize().width()));
    if (filled > 0) {
        const QRectF part(0, 0, filled, kTrackHeight);
        painter.drawPixmap(part.translated(left, kTrackTop), pixLeft, picturePixels(pixLeft, part));
    }
    painter.drawPixmap(left - 9, 5, pixSub);
    painter.drawPixmap(trackRect.right() + 4, 5, showsBoostPlus(value) ? pixAdd2 : pixAdd);
    // The thumb is one row taller than the widget; its last row is clipped.
    painter.drawPixmap(thumbX - 2, 0, pixThumb);
}

void CVolumeSlider::resizeEvent(QResizeEvent *)
{
    trackRect = VolumeGeometry::trackRect(width());
    thumbFromValue();
}

void CVolumeSlider::keyPressEvent(QKeyEvent *event)
{
    double step = kKeyStep;
    int steps = 0;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        steps = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        steps = 1;
        break;
    case Qt::Key_PageDown:
        step = kPageStep;
        steps = -1;
        break;
    case Qt::Key_PageUp:
        step = kPageStep;
        steps = 1;
        break;
    case Qt::Key_Home:
        setValueByUser(0.0);
        return;
    case Qt::Key_End:
        setValueByUser(kHighest);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setValueByUser(steppedValue(value, step, steps));
}

void CVolumeSlider::setValueByUser(double newValue)
{
    if (newValue == value)
        return;
    value = newValue;
    thumbFromValue();
    update();
    Q_EMIT sliderMoved(truncatedInt(value));
}

void CVolumeSlider::thumbFromValue()
{
    thumbX = thumbForValue(value, rangeMin, rangeMax, width());
}

void CVolumeSlider::valueFromThumb()
{
    value = valueForThumb(thumbX, trackRect.left(), rangeMin, rangeMax);
    Q_EMIT sliderMoved(truncatedInt(value));
}
