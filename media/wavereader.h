#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

#include <vector>

// Reads the PCM samples of a RIFF/WAVE (or RF64) file front to back, a block
// at a time, as one mono channel (the mean of all channels, full scale 1.0).
// Sizes are taken by the rules of wavelength.h, so it reads exactly the
// samples the waveform shows. 8- and 16-bit PCM, like the waveform reader;
// anything else, or anything that is not a regular file, fails to open.
class CWaveReader final
{
    Q_DISABLE_COPY_MOVE(CWaveReader)

public:
    CWaveReader() = default;

    bool open(const QString &path);
    quint32 sampleRate() const { return m_sampleRate; }
    int channels() const { return m_channels; }
    // Whole frames in the data chunk.
    qint64 frameCount() const { return m_frames; }
    double seconds() const { return m_sampleRate ? double(m_frames) / m_sampleRate : 0.0; }

    // Reads from frame `first` on, and at most `count` frames (to the end
    // of the data when negative). False past the end or on a seek error.
    bool setRange(qint64 first, qint64 count = -1);

    // Up to maxFrames frames as mono samples into out (resized to what was
    // read), each the mean of `factor` frames: brought down to a lower rate
    // on the way (maxFrames a multiple of factor; the frames left at the
    // end that fill no sample are dropped). Empty at the end of the data or
    // on a read error.
    void read(std::vector<float> &out, qint64 maxFrames, int factor = 1);

private:
    QFile m_file;
    quint32 m_sampleRate = 0;
    int m_channels = 0;
    int m_bytesPerSample = 0;
    qint64 m_frames = 0;
    qint64 m_framesLeft = 0;
    qint64 m_dataStart = 0; // file offset of the first frame
    std::vector<char> m_raw;
};
