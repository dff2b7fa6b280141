// Minimal stand-in, completed by the widgets work.
#include "qxdialog.h"
QxDialog::QxDialog(QWidget *parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}
void QxDialog::setShapeFromImage(const QString &) {}
void QxDialog::mousePressEvent(QMouseEvent *) {}
void QxDialog::mouseReleaseEvent(QMouseEvent *) {}
void QxDialog::mouseMoveEvent(QMouseEvent *) {}
