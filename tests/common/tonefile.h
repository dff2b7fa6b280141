#pragma once

// A 440 Hz tone as a 16-bit stereo 44.1 kHz WAV file, written a second at a
// time so that an hour costs no more memory than a second.

#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cmath>

inline bool writeTone(const QString &path, double seconds)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const quint32 rate = 44100, frames = quint32(seconds * rate), dataSize = frames * 4;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataSize);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(2) << rate << rate * 4 << quint16(4) << quint16(16);
    out.writeRawData("data", 4);
    out << dataSize;
    QByteArray second;
    QDataStream secondOut(&second, QIODevice::WriteOnly);
    secondOut.setByteOrder(QDataStream::LittleEndian);
    for (quint32 i = 0; i < rate; ++i) {
        const qint16 v = qint16(12000 * std::sin(2 * M_PI * 440 * i / rate));
        secondOut << v << v;
    }
    for (quint32 written = 0; written < frames; written += rate)
        out.writeRawData(second.constData(), int(std::min(rate, frames - written)) * 4);
    return out.status() == QDataStream::Ok;
}
