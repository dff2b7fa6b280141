#pragma once

#include "framelesswindow.h"

#include <QDialog>
#include <QPixmap>

// A frameless, skinned dialog that the user moves by dragging any free spot
// with the left button.
class QxDialog : public QDialog
{
public:
    QxDialog(QWidget *parent, Qt::WindowFlags flags = {});

    // Cuts the window to the picture's non-transparent pixels and takes its size.
    void setShapeFromImage(const QString &path);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    CWindowDrag drag{this};
    // The picture whose outline the mask follows, where a mask cuts the
    // window: on a scaled screen it is painted under the subclass's sharper
    // picture, whose finer edge would leave pixels inside the outline open.
    QPixmap outlinePicture;
};
