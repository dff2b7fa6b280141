#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

// The volume control: a 129-column picture track, 0 to 200 with 100 in the
// middle. Setter slots never emit; user gestures always do.
class CVolumeSlider final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVolumeSlider)

public:
    explicit CVolumeSlider(QWidget *parent = nullptr);

    int getVolume() const;

Q_SIGNALS:
    void sliderMoved(int position);

public Q_SLOTS:
    void setPos(double dPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // A value chosen by a key or the minus/plus sign: emitted when it changed.
    void setValueByUser(double newValue);
    void thumbFromValue();
    void valueFromThumb();

    double rangeMin = 0.0;
    double rangeMax = 200.0;
    double value = 100.0;
    int thumbX = 0;
    int lastX = 0;
    int dragging = 0;
    QPixmap pixLeft;
    QPixmap pixRight;
    QPixmap pixThumb;
    QPixmap pixAdd;
    QPixmap pixAdd2;
    QPixmap pixSub;
    QRect trackRect;
};
