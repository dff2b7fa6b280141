// Minimal stand-in, completed by the widgets work.
#include "aboutdialog.h"
AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent) { resize(400, 258); }
void AboutDialog::openUrl(const QString &) {}
void AboutDialog::mousePressEvent(QMouseEvent *) {}
void AboutDialog::mouseReleaseEvent(QMouseEvent *) { accept(); }
void AboutDialog::mouseMoveEvent(QMouseEvent *) {}
void AboutDialog::paintEvent(QPaintEvent *) {}
