#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QRectF>
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
//
// For a screen ratio above 1 (any scaling above 100 %, fractional ones too:
// shrinking looks better than stretching) it is the picture's "@2x" form
// where the skin has one, with a device pixel ratio of 2, so that painting
// it at its logical place uses every pixel. Sizes and masks belong to the
// 1x picture: read it with ratio 1 for those.
QImage readPicture(QStringView name, qreal screenRatio = 1.0);

// A part of a picture given in window pixels, in the picture's own pixels
// (twice as many in a 2x picture): what QPainter::drawPixmap takes as its
// source rectangle.
QRectF picturePixels(const QPixmap &picture, const QRectF &part);

// A window cut by the outline of its 1x picture shows, on a scaled screen,
// every pixel inside that outline; where the sharp picture leaves one of
// them open (its edge drawn finer than the 1x outline's steps), the window's
// plain background colour would show as a pale fringe. This lays each pixel
// of sharp that is not opaque over the pixel of flat (the 1x picture) it
// lies on, inside flat's outline. Returns sharp as it is when it has no
// ratio above 1 or the two pictures do not match in size.
QImage coveredByFlat(const QImage &sharp, const QImage &flat);

// The ratio whose pictures the program's windows use: the highest of its
// screens, so that a window moved to the sharpest screen stays sharp.
qreal pictureRatio();

// An image in the stored form (empty for a null image), and back: a null
// image for anything that is not a whole picture in the stored form.
QByteArray rawPictureData(const QImage &image);
QImage pictureFromRawData(const char *data, qint64 size);
