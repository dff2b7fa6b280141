// Stores a PNG's pixels in the form the program copies at start instead of
// decoding (see app/picture.h). Run by the build.
//
//   rawpicture IN.png OUT.rgba
#include "picture.h"

#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.png OUT.rgba\n", argv[0]);
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    const QByteArray data = rawPictureData(image);
    if (data.isEmpty()) {
        std::fprintf(stderr, "rawpicture: cannot read the picture %s\n", argv[1]);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(data) != data.size()
        || !out.flush()) {
        std::fprintf(stderr, "rawpicture: cannot write %s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
