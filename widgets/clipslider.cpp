#include "clipslider.h"

#include "clipgeometry.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QShortcut>
#include <QTime>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace ClipGeometry;
namespace View = TimelineView;

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

// One notch of the wheel zooms by this much, and pans by this share of the view.
constexpr double kZoomPerNotch = 1.25;
constexpr double kPanPerNotch = 0.1;
// A press on empty space turns into a pan once the pointer has moved this far.
constexpr int kPanThreshold = 4;

QString viewTimeText(double seconds)
{
    const int ms = int(std::max(0.0, std::floor(seconds * 1000.0 + 0.5)));
    return QTime::fromMSecsSinceStartOfDay(ms % (24 * 3600 * 1000)).toString(QStringLiteral("H:mm:ss.zzz"));
}
} // namespace

CClipSlider::CClipSlider(QWidget *parent)
    : QWidget(parent)
{
    // Moves must arrive without a pressed button so the cursor can follow
    // the hit zones.
    setMouseTracking(true);
    // A click here takes the focus from a time field the user typed in, so
    // that Space plays again rather than go on typing into that field; it
    // also selects a handle or the clip for the arrow keys.
    setFocusPolicy(Qt::ClickFocus);
    // Wherever the focus is in the window (a time field, a button): the
    // whole file is one key away. A hidden or disabled timeline lets the
    // key through.
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), this, this, &CClipSlider::showWholeFile, Qt::WindowShortcut);
    dragMode = DragNone;
    recomputePixels();
}

void CClipSlider::setShortestClip(double seconds)
{
    shortestClip = std::isfinite(seconds) ? std::max(0.0, seconds) : 0.0;
}

bool CClipSlider::dragging() const
{
    return dragMode == DragClipStart || dragMode == DragClip || dragMode == DragClipEnd || dragMode == DragPos;
}

void CClipSlider::setWaveRenderer(WaveRenderer renderer)
{
    m_renderer = std::move(renderer);
    m_zoomImage = QImage();
}

void CClipSlider::setView(const TimelineView::View &view)
{
    applyView(view);
}

void CClipSlider::showWholeFile()
{
    applyView(View::whole(total()));
}

void CClipSlider::applyView(const TimelineView::View &view)
{
    // A drag measures from the view it began in; the pointer's column must
    // keep standing for the same time until the button is released.
    if (dragging())
        return;
    const View::View next = View::clamped(view, total(), width());
    const bool zoomed = rangeMin < rangeMax && !View::isWhole(next, total());
    if (zoomed == m_zoomed && (!zoomed || next == m_view))
        return;
    m_zoomed = zoomed;
    m_view = zoomed ? next : View::whole(total());
    recomputePixels();
    update();
}

void CClipSlider::zoomAt(double x, double factor)
{
    if (!(rangeMin < rangeMax) || width() <= 0)
        return;
    const View::View from = m_zoomed ? m_view : View::whole(total());
    applyView(View::zoomedAt(from, x, factor, total(), width()));
}

void CClipSlider::followPos(double dPos)
{
    pos = dPos;
    // Not while the button is held: the page would turn under the pointer.
    if (m_zoomed && dragMode == DragNone && !mayPan) {
        const View::View next = View::following(m_view, dPos - rangeMin, total(), width());
        if (!(next == m_view))
            m_view = next;
    }
    recomputePixels();
    update();
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
    // A new range is a new file: it starts whole, with nothing selected.
    m_zoomed = false;
    m_view = View::whole(total());
    m_selection = Selection::None;
    m_zoomImage = QImage();
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
    mayPan = false;
    const Zone zone = zoneAt(x, posX, clipMinX, clipMaxX);
    pressedEmpty = zone == Zone::LeftOfClip || zone == Zone::RightOfClip;
    posBeforePress = pos;
    pressX = x;
    pressClipMin = clipMin;
    pressClipMax = clipMax;
    pressView = m_view;
    switch (zone) {
    case Zone::Marker:
        dragMode = DragPos;
        break;
    case Zone::LeftOfClip:
        posX = x;
        posFromPixel();
        update();
        mayPan = m_zoomed;
        break;
    case Zone::StartHandle:
        dragMode = DragClipStart;
        m_selection = Selection::Start;
        break;
    case Zone::Inside:
        setCursor(Qt::ClosedHandCursor);
        dragMode = DragClip;
        m_selection = Selection::Clip;
        break;
    case Zone::EndHandle:
        dragMode = DragClipEnd;
        m_selection = Selection::End;
        break;
    case Zone::RightOfClip:
        posX = x;
        update();
        posFromPixel();
        mayPan = m_zoomed;
        break;
    }
    anchorX = x;
}

void CClipSlider::mouseReleaseEvent(QMouseEvent *)
{
    endDrag();
}

void CClipSlider::endDrag()
{
    if (dragMode == DragClip)
        setCursor(Qt::OpenHandCursor);
    dragMode = DragNone;
    mayPan = false;
}

void CClipSlider::focusOutEvent(QFocusEvent *event)
{
    // A box or menu that opens during a drag takes the release with it; the
    // drag must not go on holding the view still.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        endDrag();
    QWidget::focusOutEvent(event);
}

void CClipSlider::mouseDoubleClickEvent(QMouseEvent *event)
{
    const Zone zone = zoneAt(eventColumn(event), posX, clipMinX, clipMaxX);
    // The first click of the two on empty space already put the marker
    // under the pointer, so the second one finds the marker there.
    const bool empty = zone == Zone::LeftOfClip || zone == Zone::RightOfClip
                       || (zone == Zone::Marker && pressedEmpty && eventColumn(event) == anchorX);
    if (m_zoomed && empty) {
        // The first click moved the marker (and the player) on its way to
        // becoming a double-click: put both back.
        if (pressedEmpty && pos != posBeforePress) {
            pos = posBeforePress;
            Q_EMIT posChanged(pos);
        }
        showWholeFile();
        recomputePixels();
        update();
        return;
    }
    mousePressEvent(event);
}

void CClipSlider::wheelEvent(QWheelEvent *event)
{
    if (!(rangeMin < rangeMax) || width() <= 0) {
        event->ignore();
        return;
    }
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        zoomAt(event->position().x(), std::pow(kZoomPerNotch, delta.y() / 120.0));
        event->accept();
        return;
    }
    // The whole file has nowhere to pan to; the wheel then goes to the window.
    if (!m_zoomed) {
        event->ignore();
        return;
    }
    // Up or left goes back in time, as on a page.
    const int notches = delta.x() != 0 && std::abs(delta.x()) > std::abs(delta.y()) ? delta.x() : delta.y();
    applyView(View::panned(m_view, -notches / 120.0 * kPanPerNotch * m_view.length, total(), width()));
    event->accept();
}

bool CClipSlider::event(QEvent *event)
{
    if (event->type() == QEvent::NativeGesture) {
        const auto *gesture = static_cast<QNativeGestureEvent *>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            zoomAt(gesture->position().x(), 1.0 + gesture->value());
            return true;
        }
    }
    return QWidget::event(event);
}

void CClipSlider::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus:
        if (ctrl) {
            // Around the marker when it is in view, else around the middle.
            const double x = posX >= 0 && posX < width() ? posX : width() / 2.0;
            zoomAt(x, event->key() == Qt::Key_Minus ? 1.0 / 2.0 : 2.0);
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const double step = ctrl ? 1.0 : (mods & Qt::ShiftModifier) ? 0.1 : 0.01;
        if (moveSelection(event->key() == Qt::Key_Left ? -step : step, false, false))
            return;
        break;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
        if (moveSelection(0.0, event->key() == Qt::Key_Home, event->key() == Qt::Key_End))
            return;
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

bool CClipSlider::moveSelection(double seconds, bool toStart, bool toEnd)
{
    if (m_selection == Selection::None || !(rangeMin < rangeMax))
        return false;
    // The drag under way decides the clip until its button is released.
    if (dragging())
        return true;
    const double lowest = std::ceil(rangeMin * 1000.0 - 1e-6) / 1000.0;
    const double highest = floorMilliseconds(rangeMax);
    double newMin = clipMin;
    double newMax = clipMax;
    switch (m_selection) {
    case Selection::Start: {
        const double latest = latestKeyedStart(clipMin, clipMax, shortestClip);
        newMin = toStart ? lowest : toEnd ? latest : wholeMilliseconds(clipMin + seconds);
        newMin = std::min(std::max(newMin, lowest), latest);
        break;
    }
    case Selection::End: {
        const double earliest = earliestKeyedEnd(clipMin, clipMax, shortestClip);
        newMax = toStart ? earliest : toEnd ? highest : wholeMilliseconds(clipMax + seconds);
        newMax = std::max(std::min(newMax, highest), earliest);
        break;
    }
    case Selection::Clip: {
        const double length = clipMax - clipMin;
        const double target = toStart ? lowest : toEnd ? rangeMax - length : clipMin + seconds;
        newMin = movedClipStartBy(clipMin, length, target - clipMin, rangeMin, rangeMax);
        newMax = wholeMilliseconds(newMin + length);
        break;
    }
    case Selection::None:
        break;
    }
    if (newMin == clipMin && newMax == clipMax)
        return true;
    clipMin = newMin;
    clipMax = newMax;
    // Keep the moved end in view.
    if (m_zoomed) {
        const double moved = (m_selection == Selection::End ? clipMax : clipMin) - rangeMin;
        if (moved < m_view.start || moved > m_view.end())
            m_view = View::clamped({moved - m_view.length / 2, m_view.length}, total(), width());
    }
    recomputePixels();
    emitClip();
    update();
    return true;
}

void CClipSlider::mouseMoveEvent(QMouseEvent *event)
{
    // The release went elsewhere (another window took the pointer).
    if (dragMode != DragNone && event->buttons() == Qt::NoButton)
        endDrag();
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
        if (m_zoomed) {
            dragHandle(x);
            return;
        }
        step = dragClipStart(clipMinX, clipMaxX, anchorX, x);
        break;
    case DragPan:
        applyView(View::panned(pressView, -(x - pressX) * pressView.length / width(), total(), width()));
        return;
    case DragClip: {
        if (!(rangeMin < rangeMax) || width() <= 0)
            return;
        const double length = clipMax - clipMin;
        const double start
            = m_zoomed ? movedClipStartBy(pressClipMin, length, (x - pressX) * pressView.length / width(), rangeMin, rangeMax)
                       : movedClipStart(pressClipMin, length, x - pressX, rangeMin, rangeMax, width());
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
        if (m_zoomed) {
            dragHandle(x);
            return;
        }
        step = dragClipEnd(clipMinX, clipMaxX, anchorX, x, width());
        break;
    default:
        // A press on empty space of a zoomed view, dragged on: the view
        // follows the pointer like a sheet of paper.
        if (mayPan && (event->buttons() & Qt::LeftButton) && std::abs(x - pressX) >= kPanThreshold) {
            dragMode = DragPan;
            setCursor(Qt::ClosedHandCursor);
            applyView(View::panned(pressView, -(x - pressX) * pressView.length / width(), total(), width()));
            return;
        }
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

    if (m_zoomed)
        paintZoomed(painter);
    else if (!waveImage.isNull())
        painter.drawImage(area, waveImage);

    paintClip(painter);

    // The selected handle or clip, while the keys reach it: white notches
    // at its top and bottom edges, leaving the waveform clear.
    if (hasFocus() && m_selection != Selection::None) {
        const int h = area.height();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        auto notches = [&painter, h](int x) {
            painter.drawPolygon(QPolygon{QPoint(x - 4, 0), QPoint(x + 5, 0), QPoint(x, 5)});
            painter.drawPolygon(QPolygon{QPoint(x - 4, h), QPoint(x + 5, h), QPoint(x, h - 5)});
        };
        if (m_selection == Selection::Start) {
            notches(clipMinX);
        } else if (m_selection == Selection::End) {
            notches(clipMaxX);
        } else {
            const int overlay = overlayWidth(clipMinX, clipMaxX);
            painter.drawRect(clipMinX, 0, overlay, 2);
            painter.drawRect(clipMinX, h - 2, overlay, 2);
        }
    }

    painter.setPen(QPen(Qt::red, 0));
    painter.drawLine(posX, 0, posX, area.height());

    if (m_zoomed) {
        // Where the view lies in the file: a thin bar along the bottom, and
        // the times of both edges.
        const int h = area.height();
        const int w = area.width();
        const double share = total() > 0 ? w / total() : 0.0;
        const int thumbX = int(m_view.start * share);
        const int thumbW = std::max(6, int(m_view.length * share));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 110));
        painter.drawRect(0, h - 4, w, 4);
        painter.setBrush(QColor(255, 255, 255, 200));
        painter.drawRect(std::min(thumbX, w - thumbW), h - 4, thumbW, 3);

        QFont small = font();
        small.setPixelSize(9);
        painter.setFont(small);
        const QRect labels = area.adjusted(12, 1, -12, -5);
        for (const auto &[text, align] : {std::pair{viewTimeText(rangeMin + m_view.start), Qt::AlignLeft},
                                          std::pair{viewTimeText(rangeMin + m_view.end()), Qt::AlignRight}}) {
            painter.setPen(QColor(0, 0, 0, 160));
            painter.drawText(labels.translated(1, 1), int(align | Qt::AlignTop), text);
            painter.setPen(Qt::white);
            painter.drawText(labels, int(align | Qt::AlignTop), text);
        }
    }
}

void CClipSlider::paintZoomed(QPainter &painter)
{
    const QRect area = rect();
    if (m_renderer) {
        if (m_zoomImage.size() != area.size() || !(m_zoomImageView == m_view))
            m_zoomImage = m_renderer(rangeMin + m_view.start, rangeMin + m_view.end(), area.width(), area.height());
        m_zoomImageView = m_view;
        if (!m_zoomImage.isNull())
            painter.drawImage(area.topLeft(), m_zoomImage);
        return;
    }
    // No fine waveform yet: the part of the whole-file picture in view.
    if (!waveImage.isNull() && total() > 0) {
        const double scale = waveImage.width() / total();
        painter.drawImage(QRectF(area), waveImage,
                          QRectF(m_view.start * scale, 0, m_view.length * scale, waveImage.height()));
    }
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
    if (m_zoomed)
        m_view = View::clamped(m_view, total(), width());
    recomputePixels();
}

void CClipSlider::recomputePixels()
{
    const int w = rect().width();
    if (m_zoomed) {
        posX = View::columnFor(pos - rangeMin, m_view, w);
        clipMinX = View::columnFor(clipMin - rangeMin, m_view, w);
        clipMaxX = View::columnFor(clipMax - rangeMin, m_view, w);
        return;
    }
    posX = columnForSeconds(pos, rangeMin, rangeMax, w);
    clipMinX = columnForSeconds(clipMin, rangeMin, rangeMax, w);
    clipMaxX = columnForSeconds(clipMax, rangeMin, rangeMax, w);
}

double CClipSlider::timeAt(int x) const
{
    return rangeMin + View::secondsAt(x, m_view, width());
}

void CClipSlider::posFromPixel()
{
    // A widget without columns has no time under the pointer.
    if (width() <= 0)
        return;
    pos = m_zoomed ? timeAt(posX) : secondsForColumn(posX, rangeMin, rangeMax, width());
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

void CClipSlider::dragHandle(int x)
{
    anchorX = x;
    if (!(rangeMin < rangeMax) || width() <= 0)
        return;
    // Seconds from the press, in the view of the press: whatever the
    // columns stand for now, the handle moves as far as the pointer did.
    const bool start = dragMode == DragClipStart;
    const double t = draggedHandleSeconds(start ? pressClipMin : pressClipMax, x - pressX, x, pressView, width(),
                                          rangeMin, rangeMax);
    const double next = start ? std::min(clipMax, std::max(rangeMin, t)) : std::max(clipMin, std::min(rangeMax, t));
    if (next == (start ? clipMin : clipMax))
        return;
    (start ? clipMin : clipMax) = next;
    recomputePixels();
    emitClip();
    update();
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
