#include "picture.h"

#include <QGuiApplication>
#include <QResource>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'T', 'Q', 'R', 'G', 'B', 'A', '0', '1'};
constexpr qint64 kHeaderSize = sizeof kMagic + 8;
// Far above any skin picture; keeps a damaged header from asking for gigabytes.
constexpr quint32 kMaximumSide = 8192;

} // namespace

QByteArray rawPictureData(const QImage &image)
{
    if (image.isNull())
        return {};
    // Pixel by pixel rather than QImage::convertToFormat(): a large image's
    // conversion runs on Qt's thread pool, which the sanitized builds report
    // (Qt is not instrumented), and this runs in every build.
    const qint64 rowBytes = qint64(image.width()) * 4;
    QByteArray data(kHeaderSize + rowBytes * image.height(), Qt::Uninitialized);
    char *out = data.data();
    std::memcpy(out, kMagic, sizeof kMagic);
    qToLittleEndian<quint32>(quint32(image.width()), out + 8);
    qToLittleEndian<quint32>(quint32(image.height()), out + 12);
    auto *pixel = reinterpret_cast<uchar *>(out + kHeaderSize);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x, pixel += 4) {
            const QRgb premultiplied = qPremultiply(image.pixel(x, y));
            pixel[0] = uchar(qRed(premultiplied));
            pixel[1] = uchar(qGreen(premultiplied));
            pixel[2] = uchar(qBlue(premultiplied));
            pixel[3] = uchar(qAlpha(premultiplied));
        }
    }
    return data;
}

QImage pictureFromRawData(const char *data, qint64 size)
{
    if (!data || size < kHeaderSize || std::memcmp(data, kMagic, sizeof kMagic) != 0)
        return {};
    const quint32 width = qFromLittleEndian<quint32>(data + 8);
    const quint32 height = qFromLittleEndian<quint32>(data + 12);
    if (width == 0 || height == 0 || width > kMaximumSide || height > kMaximumSide)
        return {};
    const qint64 rowBytes = qint64(width) * 4;
    if (size != kHeaderSize + rowBytes * height)
        return {};
    // Read pixel by pixel: the resource's bytes need not be aligned for
    // 32-bit access, and the image must own its memory. Converting here
    // also keeps a whole-image conversion (which Qt hands to its thread
    // pool, starting threads mid-start-up) out of the way.
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    const char *in = data + kHeaderSize;
    for (quint32 y = 0; y < height; ++y) {
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        for (quint32 x = 0; x < width; ++x, in += 4) {
            // Bytes R, G, B, A read big-endian are 0xRRGGBBAA; ARGB32 wants 0xAARRGGBB.
            const quint32 rgba = qFromBigEndian<quint32>(in);
            out[x] = (rgba >> 8) | (rgba << 24);
        }
    }
    return image;
}

namespace {

QImage readOnePicture(const QString &base)
{
    const QResource raw(base + QLatin1String(".rgba"));
    if (raw.isValid() && raw.compressionAlgorithm() == QResource::NoCompression) {
        QImage image = pictureFromRawData(reinterpret_cast<const char *>(raw.data()), raw.size());
        if (!image.isNull())
            return image;
    }
    QImage image(base + QLatin1String(".png"));
    if (!image.isNull())
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

} // namespace

QImage readPicture(QStringView name, qreal screenRatio)
{
    const QString base = QLatin1String(":/images/") + name.toString();
    if (screenRatio > 1.0) {
        QImage sharp = readOnePicture(base + QLatin1String("@2x"));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return readOnePicture(base);
}

QRectF picturePixels(const QPixmap &picture, const QRectF &part)
{
    const qreal r = picture.devicePixelRatio();
    return QRectF(part.topLeft() * r, part.size() * r);
}

qreal pictureRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

QImage coveredByFlat(const QImage &sharp, const QImage &flat)
{
    const qreal ratio = sharp.devicePixelRatio();
    if (ratio <= 1.0 || flat.isNull() || sharp.size() != (QSizeF(flat.size()) * ratio).toSize())
        return sharp;
    QImage covered = sharp.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage under = flat.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < covered.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(covered.scanLine(y));
        const int underY = std::min(int(y / ratio), under.height() - 1);
        const auto *underRow = reinterpret_cast<const QRgb *>(under.constScanLine(underY));
        for (int x = 0; x < covered.width(); ++x) {
            const int alpha = qAlpha(row[x]);
            if (alpha == 255)
                continue;
            const QRgb below = underRow[std::min(int(x / ratio), under.width() - 1)];
            if (qAlpha(below) == 0)
                continue;
            // Premultiplied "over": the sharp pixel, then what shows through it.
            const auto over = [&](int top, int bottom) { return top + (bottom * (255 - alpha) + 127) / 255; };
            row[x] = qRgba(over(qRed(row[x]), qRed(below)), over(qGreen(row[x]), qGreen(below)),
                           over(qBlue(row[x]), qBlue(below)), over(alpha, qAlpha(below)));
        }
    }
    covered.setDevicePixelRatio(ratio);
    return covered;
}
