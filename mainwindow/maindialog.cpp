#include "maindialog.h"
MainDialog::MainDialog(QWidget *parent) : QDialog(parent) { resize(750, 531); }
