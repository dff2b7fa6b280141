// Minimal stand-in, completed by the widgets work.
#include "clipslider.h"
#include <QPainter>
CClipSlider::CClipSlider(QWidget *parent) : QWidget(parent) { setMouseTracking(true); recomputePixels(); }
void CClipSlider::setWaveImage(const QImage &image) { waveImage = image; }
void CClipSlider::setRange(double dMin, double dMax) { rangeMin = dMin; rangeMax = dMax; recomputePixels(); }
void CClipSlider::setPos(double dPos) { pos = dPos; recomputePixels(); update(); }
void CClipSlider::setClip(double dMin, double dMax) { clipMin = dMin; clipMax = dMax; recomputePixels(); update(); }
void CClipSlider::getPos(double &dPos) { dPos = pos; }
void CClipSlider::getClip(double &dMin, double &dMax) { dMin = clipMin; dMax = clipMax; }
void CClipSlider::mousePressEvent(QMouseEvent *) {}
void CClipSlider::mouseReleaseEvent(QMouseEvent *) {}
void CClipSlider::mouseMoveEvent(QMouseEvent *) {}
void CClipSlider::paintEvent(QPaintEvent *) { QPainter p(this); p.fillRect(rect(), QColor(142, 83, 145)); }
void CClipSlider::resizeEvent(QResizeEvent *) { recomputePixels(); }
void CClipSlider::recomputePixels() {}
void CClipSlider::posFromPixel() {}
void CClipSlider::clipFromPixels() {}
void applyCornerCutMask(QWidget *, int) {}
