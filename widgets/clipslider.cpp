#include "clipslider.h"

#include "clipgeometry.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include <algorithm>

using namespace ClipGeometry;

namespace {
Qt::CursorShape cursorForZone(Zone zone)
{
    switch (zone) {
    case Zone::Marker:
    case Zone::StartHandle:
    case Zone::EndHandle:
        return Qt::SizeHorCursor;
    case Zone::Inside:
        return Qt::OpenHandCursor;
    case Zone::LeftOfClip:
    case Zone::RightOfClip:
        break;
    }
    return Qt::ArrowCursor;
}

int eventColumn(const QMouseEvent *event)
{
    return event->position().toPoint().x();
}
} // namespace

CClipSlider::CClipSlider(QWidget *parent)
    : QWidget(parent)
{
    // Moves must arrive without a pressed button so the cursor can follow
    // the hit zones.
    setMouseTracking(true);
    // A click here takes the focus from a time field the user typed in, so
    // that Space plays again rather than go on typing into that field.
    setFocusPolicy(Qt::ClickFocus);
    dragMode = DragNone;
    recomputePixels();
}

void CClipSlider::setWaveImage(const QImage &image)
{
    // The caller renders the waveform at our size and shows us afterwards,
    // which repaints.
    waveImage = image;
}

void CClipSlider::setRange(double dMin, double dMax)
{
    rangeMin = dMin;
    rangeMax = dMax;
    recomputePixels();
}

void CClipSlider::setPos(double dPos)
{
    pos = dPos;
    recomputePixels();
    update();
}

void CClipSlider::setClip(double dMin, double dMax)
{
    if (dMin < 0)
        dMin = clipMin;
    if (dMax < 0)
        dMax = clipMax;
    // Written so that NaN in any of the four values refuses the pair.
    if (!(rangeMin <= dMin && dMin <= dMax && dMax <= rangeMax))
        return;
    clipMin = dMin;
    clipMax = dMax;
    recomputePixels();
    update();
}

void CClipSlider::getPos(double &dPos)
{
    dPos = pos;
}

void CClipSlider::getClip(double &dMin, double &dMax)
{
    dMin = clipMin;
    dMax = clipMax;
}

void CClipSlider::mousePressEvent(QMouseEvent *event)
{
    const int x = eventColumn(event);
    switch (zoneAt(x, posX, clipMinX, clipMaxX)) {
    case Zone::Marker:
        dragMode = DragPos;
        break;
    case Zone::LeftOfClip:
        posX = x;
        posFromPixel();
        update();
        break;
    case Zone::StartHandle:
        dragMode = DragClipStart;
        break;
    case Zone::Inside:
        setCursor(Qt::ClosedHandCursor);
        dragMode = DragClip;
        pressX = x;
        pressClipMin = clipMin;
        break;
    case Zone::EndHandle:
        dragMode = DragClipEnd;
        break;
    case Zone::RightOfClip:
        posX = x;
        update();
        posFromPixel();
        break;
    }
    anchorX = x;
}

void CClipSlider::mouseReleaseEvent(QMouseEvent *)
{
    if (dragMode == DragClip)
        setCursor(Qt::OpenHandCursor);
    dragMode = DragNone;
}

void CClipSlider::mouseMoveEvent(QMouseEvent *event)
{
    const int x = clampColumn(eventColumn(event), width());
    if (x == anchorX)
        return;

    DragStep step{clipMinX, clipMaxX, anchorX};
    switch (dragMode) {
    case DragPos:
        // The anchor keeps the press column during a marker drag.
        posX = x;
        posFromPixel();
        update();
        return;
    case DragClipStart:
        step = dragClipStart(clipMinX, clipMaxX, anchorX, x);
        break;
    case DragClip: {
        if (!(rangeMin < rangeMax) || width() <= 0)
            return;
        const double length = clipMax - clipMin;
        const double start = movedClipStart(pressClipMin, length, x - pressX, rangeMin, rangeMax, width());
        anchorX = x;
        if (start == clipMin)
            return;
        clipMin = start;
        clipMax = wholeMilliseconds(start + length);
        recomputePixels();
        emitClip();
        update();
        return;
    }
    case DragClipEnd:
        step = dragClipEnd(clipMinX, clipMaxX, anchorX, x, width());
        break;
    default:
        setCursor(cursorForZone(zoneAt(x, posX, clipMinX, clipMaxX)));
        return;
    }
    clipMinX = step.clipMinX;
    clipMaxX = step.clipMaxX;
    anchorX = step.anchorX;
    clipFromPixels();
    update();
}

void CClipSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = rect();

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(142, 83, 145));
    painter.drawRect(area);

    if (!waveImage.isNull())
        painter.drawImage(area, waveImage);

    paintClip(painter);

    painter.setPen(QPen(Qt::red, 0));
    painter.drawLine(posX, 0, posX, area.height());
}

void CClipSlider::paintClip(QPainter &painter) const
{
    const int w = width();
    const int h = height();
    // Columns may lie far outside the widget (a clip beyond a tiny range):
    // only the visible part is painted.
    const int left = clipMinX;
    const int right = clipMinX + overlayWidth(clipMinX, clipMaxX);
    const int first = std::max(0, left);
    const int last = std::min(w, right);
    const QColor edge = QColor::fromRgba(kClipEdgeColour);
    if (first < last) {
        painter.fillRect(QRect(first, 2, last - first, h - 4), QColor::fromRgba(kClipWashColour));
        painter.fillRect(QRect(first, 0, last - first, 2), edge);
        painter.fillRect(QRect(first, h - 2, last - first, 2), edge);
    }
    const auto edgeColumns = [&](int x) {
        const int a = std::max(0, x);
        const int b = std::min(w, x + 2);
        if (a < b)
            painter.fillRect(QRect(a, 0, b - a, h), edge);
    };
    edgeColumns(left);
    edgeColumns(right - 2);

    // The grips are drawn even when their handle lies just outside the
    // widget, pulled in, so that a handle can always be found and grabbed.
    const auto grip = [&](const QRect &rect) {
        painter.fillRect(rect, edge);
        painter.fillRect(QRect(rect.left() + rect.width() / 2 - 1, rect.top() + 3, 2, rect.height() - 6),
                         QColor::fromRgba(kGripGrooveColour));
    };
    const auto onScreen = [&](int x) { return -kHandleReach <= x && x <= w + kHandleReach; };
    if (onScreen(left))
        grip(startGripRect(left, w, h));
    if (onScreen(right))
        grip(endGripRect(right, w, h));
}

void CClipSlider::resizeEvent(QResizeEvent *)
{
    recomputePixels();
}

void CClipSlider::recomputePixels()
{
    const int w = rect().width();
    posX = columnForSeconds(pos, rangeMin, rangeMax, w);
    clipMinX = columnForSeconds(clipMin, rangeMin, rangeMax, w);
    clipMaxX = columnForSeconds(clipMax, rangeMin, rangeMax, w);
}

void CClipSlider::posFromPixel()
{
    // A widget without columns has no time under the pointer.
    if (width() <= 0)
        return;
    pos = secondsForColumn(posX, rangeMin, rangeMax, width());
    Q_EMIT posChanged(pos);
}

void CClipSlider::clipFromPixels()
{
    if (!(rangeMin < rangeMax) || width() <= 0)
        return;
    // Only the handle being dragged takes its time from the pointer; the
    // other end keeps its exact time.
    if (dragMode == DragClipStart)
        clipMin = std::min(clipMax, std::max(rangeMin, handleSeconds(clipMinX, rangeMin, rangeMax, width())));
    else
        clipMax = std::max(clipMin, std::min(rangeMax, handleSeconds(clipMaxX, rangeMin, rangeMax, width())));
    emitClip();
}

void CClipSlider::emitClip()
{
    Q_EMIT clipChanged(clipMin, clipMax);
}

void applyCornerCutMask(QWidget *widget, int cut)
{
    if (!widget)
        return;
    const int h = widget->height();
    const int w = widget->width();
    if (w <= 0 || h <= 0)
        return;
    cut = std::max(0, std::min({cut, h / 2, w / 2}));

    QPixmap shape(w, h);
    shape.fill(Qt::white);
    {
        QPainter painter(&shape);
        painter.setBrush(QBrush(Qt::black, Qt::SolidPattern));
        const QPolygon outline{QPoint(cut, 0),     QPoint(w - cut, 0), QPoint(w, cut),
                               QPoint(w, h - cut), QPoint(w - cut, h), QPoint(cut, h),
                               QPoint(0, h - cut), QPoint(0, cut)};
        painter.drawPolygon(outline, Qt::WindingFill);
    }
    // Black stays visible, white is cut away.
    widget->setMask(QBitmap::fromPixmap(shape));
}
