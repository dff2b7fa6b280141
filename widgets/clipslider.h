#pragma once

#include "timelineview.h"

#include <QImage>
#include <QWidget>

#include <functional>

// The timeline: waveform, red position marker and a translucent clip range
// whose ends and body can be dragged. Setter slots never emit; user gestures
// always do.
//
// It zooms from the whole file down to 10 ms a column: Ctrl+wheel or a
// pinch around the pointer, the wheel or a drag on empty space pans, a
// double-click on empty space or Ctrl+0 (anywhere in the window) shows the
// whole file again. A click on a handle or on the clip selects it for the
// keys: Left/Right move it by 10 ms, with Shift by 100 ms, with Ctrl by 1 s;
// Home/End as far as it goes: the file's ends, or for a handle facing the
// other one, the shortest clip away from it.
// At the whole-file view every column and gesture is what it always was.
class QPainter;

class CClipSlider final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CClipSlider)

public:
    enum DragMode { DragNone = 0, DragClipStart = 1, DragClip = 2, DragClipEnd = 3, DragPos = 4, DragPan = 5 };
    // What the arrow keys move.
    enum class Selection { None, Start, Clip, End };
    // Draws the stretch from .. to (seconds) of the waveform at a size.
    using WaveRenderer = std::function<QImage(double from, double to, int width, int height)>;

    explicit CClipSlider(QWidget *parent = nullptr);

    void setWaveImage(const QImage &image);
    // The fine waveform of the zoomed views; empty until the file is read.
    void setWaveRenderer(WaveRenderer renderer);

    // The stretch shown, seconds from rangeMin; the whole range unless zoomed.
    TimelineView::View view() const { return m_view; }
    bool isZoomed() const { return m_zoomed; }
    void setView(const TimelineView::View &view);
    Selection selection() const { return m_selection; }
    // The keys never bring the handles closer than this (a drag may: the
    // pointer shows where it goes).
    void setShortestClip(double seconds);

Q_SIGNALS:
    void posChanged(double dPos);
    void clipChanged(double dMin, double dMax);

public Q_SLOTS:
    void setRange(double dMin, double dMax);
    void setPos(double dPos);
    void setClip(double dMin, double dMax);
    void getPos(double &dPos);
    void getClip(double &dMin, double &dMax);
    void showWholeFile();
    // setPos for the playing marker: a zoomed view turns the page when the
    // marker leaves it.
    void followPos(double dPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;

private:
    void paintClip(QPainter &painter) const;
    void recomputePixels();
    void posFromPixel();
    void clipFromPixels();
    void emitClip();
    double total() const { return rangeMax - rangeMin; }
    double timeAt(int x) const;
    void applyView(const TimelineView::View &view);
    void zoomAt(double x, double factor);
    bool moveSelection(double seconds, bool toStart, bool toEnd);
    // A clip or marker drag is under way (a pan is not: it moves the view).
    bool dragging() const;
    void dragHandle(int x);
    void endDrag();
    void paintZoomed(QPainter &painter);

    double rangeMin = 0.0;
    double rangeMax = 1000.0;
    double pos = 500.0;
    double clipMin = 100.0;
    double clipMax = 200.0;
    int posX = 0;
    int clipMinX = 0;
    int clipMaxX = 0;
    int anchorX = -1;
    // Where the last press was, and what stood there: a drag moves by the
    // pointer's distance from it, so a clip's length never drifts with
    // rounding and a zoomed handle keeps its time whatever the view does.
    int pressX = 0;
    double pressClipMin = 0.0;
    double pressClipMax = 0.0;
    double posBeforePress = 0.0;
    TimelineView::View pressView;
    double shortestClip = 0.0;
    int dragMode = DragNone;
    QImage waveImage;
    WaveRenderer m_renderer;
    TimelineView::View m_view{0.0, 1000.0};
    bool m_zoomed = false;
    bool mayPan = false;
    bool pressedEmpty = false; // the last press was on empty space
    Selection m_selection = Selection::None;
    // The zoomed waveform is drawn once per view and size.
    QImage m_zoomImage;
    TimelineView::View m_zoomImageView;
};

// Gives a widget an octagonal mask with its corners cut at 45 degrees.
void applyCornerCutMask(QWidget *widget, int cut);
