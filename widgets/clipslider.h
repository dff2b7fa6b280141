#pragma once

#include <QImage>
#include <QWidget>

// The timeline: waveform, red position marker and a translucent clip range
// whose ends and body can be dragged. Setter slots never emit; user gestures
// always do.
class QPainter;

class CClipSlider final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CClipSlider)

public:
    enum DragMode { DragNone = 0, DragClipStart = 1, DragClip = 2, DragClipEnd = 3, DragPos = 4 };

    explicit CClipSlider(QWidget *parent = nullptr);

    void setWaveImage(const QImage &image);

Q_SIGNALS:
    void posChanged(double dPos);
    void clipChanged(double dMin, double dMax);

public Q_SLOTS:
    void setRange(double dMin, double dMax);
    void setPos(double dPos);
    void setClip(double dMin, double dMax);
    void getPos(double &dPos);
    void getClip(double &dMin, double &dMax);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void paintClip(QPainter &painter) const;
    void recomputePixels();
    void posFromPixel();
    void clipFromPixels();
    void emitClip();

    double rangeMin = 0.0;
    double rangeMax = 1000.0;
    double pos = 500.0;
    double clipMin = 100.0;
    double clipMax = 200.0;
    int posX = 0;
    int clipMinX = 0;
    int clipMaxX = 0;
    int anchorX = -1;
    // Where a drag of the clip's body began: it moves by the pointer's
    // distance from there, so its length never drifts with rounding.
    int pressX = 0;
    double pressClipMin = 0.0;
    int dragMode = DragNone;
    QImage waveImage;
};

// Gives a widget an octagonal mask with its corners cut at 45 degrees.
void applyCornerCutMask(QWidget *widget, int cut);
