#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringView>

// The skin's pictures are drawn and committed as PNG. Decoding the window's
// large background takes longer than building the whole form, so the build
// also stores the pictures the window needs at start as plain pixels
// (":/images/<name>.rgba", made by tools/rawpicture). Those are copied, not
// decoded.
//
// The stored form: the 8 bytes "TQRGBA01", width and height as 32-bit
// little-endian numbers, then the rows top to bottom, 4 bytes a pixel in the
// order red, green, blue, alpha, colours premultiplied by alpha.

// The picture ":/images/<name>" in QImage::Format_ARGB32_Premultiplied, from
// its plain pixels where the build stored them, else from the PNG; a null
// image if neither is there or readable.
QImage readPicture(QStringView name);

// An image in the stored form (empty for a null image), and back: a null
// image for anything that is not a whole picture in the stored form.
QByteArray rawPictureData(const QImage &image);
QImage pictureFromRawData(const char *data, qint64 size);
