#pragma once

class QApplication;

// The program's look: the application style sheet ":/images/skin.css" and,
// where the platform's default font is wider than the skin was laid out for,
// a font with the expected metrics. A missing style sheet leaves the default
// look; nothing here can stop the start.
void applyApplicationLook(QApplication &app);
