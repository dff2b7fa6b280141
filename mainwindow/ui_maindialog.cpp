#include "ui_maindialog.h"
