// Minimal stand-in, completed by the widgets work.
#include "volumeslider.h"
CVolumeSlider::CVolumeSlider(QWidget *parent) : QWidget(parent) {}
int CVolumeSlider::getVolume() const { return int(value); }
void CVolumeSlider::setPos(double dPos) { value = dPos; update(); }
void CVolumeSlider::mousePressEvent(QMouseEvent *) {}
void CVolumeSlider::mouseReleaseEvent(QMouseEvent *) {}
void CVolumeSlider::mouseMoveEvent(QMouseEvent *) {}
void CVolumeSlider::paintEvent(QPaintEvent *) {}
void CVolumeSlider::resizeEvent(QResizeEvent *) {}
void CVolumeSlider::thumbFromValue() {}
void CVolumeSlider::valueFromThumb() {}
