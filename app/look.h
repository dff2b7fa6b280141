#pragma once

#include <QString>

class QApplication;

// The program's look: the application style sheet ":/images/skin.css" and,
// where the platform's default font is wider than the skin was laid out for,
// a font with the expected metrics. A missing style sheet leaves the default
// look; nothing here can stop the start.
void applyApplicationLook(QApplication &app);

// Starts loading the system's font configuration on a second thread. Call it
// first thing in main() (unless the command line may end the process with
// exit()): it overlaps with connecting to the display, which needs no fonts,
// and applyApplicationLook() waits for it.
void startFontWarmUp();
// Waits for that thread, for a start that ends before any text is laid out
// (the file went to the window already open): the process must not end
// while the thread is still reading the configuration.
void finishFontWarmUp();

// The style sheet with every empty picture ("url()") made a transparent one:
// the same look, without Qt's warning about an empty file name.
QString withoutEmptyImages(QString styleSheet);
