#pragma once

#include "framelesswindow.h"

#include <QDialog>

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

private:
    CWindowDrag drag{this};
};
