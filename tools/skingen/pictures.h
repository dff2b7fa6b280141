#pragma once

#include "paint.h"

// The painters of the skin, grouped the way the program uses the pictures.
namespace skin {

void windowPictures(Pictures &out);  // main_bg, level bars, disc
void dialogPictures(Pictures &out);  // about_bg, register_bg, program icon
void buttonPictures(Pictures &out);  // every picture button
void controlPictures(Pictures &out); // check box, spin arrows, frames, volume, link icons

QImage titleButton(int size, const QString &kind, State s);
QImage discPicture(int size);

// Sheets for a person to judge the skin by: the main window as it looks at
// start-up, and every picture on one page.
QImage previewMainWindow(const Pictures &all, int progress, double discAngle);
QImage previewSheet(const Pictures &all);

} // namespace skin
