#pragma once

#include <QImage>
#include <QtGlobal>

#include <vector>

// The waveform at every zoom: minimum and maximum over all channels (as the
// whole-file picture takes them) per short span (100 spans a second at 44.1 kHz, never fewer), kept while the
// WAV is read, and coarser levels of 4 spans each above them, so that any
// stretch of the file is summed up from a few dozen entries and a zoomed view
// never reads or decodes the file again.
//
// A 2-hour film at 44.1 kHz keeps 720,000 spans of 4 bytes: 2.9 MB, 3.8 MB
// with the coarser levels.
class CWavePeaks final
{
public:
    struct Peak
    {
        qint16 min = 0;
        qint16 max = 0;
    };

    static constexpr int MinSpansPerSecond = 100;
    static constexpr int Fanout = 4; // spans of one level summed up per entry of the next

    // Starts a new file; drops what an earlier one left.
    void begin(quint32 sampleRate, int channels);
    // Interleaved sample values as they come from the data chunk, in order;
    // a block need not start or end on a whole frame.
    void add16(const qint16 *values, size_t count);
    void add8(const quint8 *values, size_t count);
    // Ends the last span and builds the coarser levels.
    void finish();

    bool isEmpty() const { return levels.empty() || levels.front().empty(); }
    quint32 sampleRate() const { return m_sampleRate; }
    quint32 framesPerSpan() const { return m_framesPerSpan; }
    double seconds() const;
    // levels[0] holds the spans; levels[k][j] sums up levels[k - 1][4j .. 4j + 3].
    const std::vector<std::vector<Peak>> &pyramid() const { return levels; }
    size_t memoryBytes() const;

    // Extremes of the spans first .. end - 1 of level 0 (clamped to the file),
    // taken from the coarsest levels that fit. 0/0 for an empty range.
    Peak spanRange(size_t first, size_t end) const;
    // One peak per column for the stretch from .. to seconds drawn over
    // width columns: column x covers the spans that begin before its right
    // edge and end after its left one. Past the end of the file: 0/0.
    std::vector<Peak> columns(double from, double to, int width) const;
    // The stretch drawn as the whole-file picture is: a yellow band between
    // the extremes with a black outline, on a transparent background.
    QImage render(double from, double to, int width, int height) const;

private:
    void closeSpan();

    quint32 m_sampleRate = 0;
    int m_channels = 1;
    quint32 m_framesPerSpan = 1;
    int m_channel = 0;        // channel of the next value
    quint32 m_spanFrames = 0; // frames in the open span
    Peak m_open;
    std::vector<std::vector<Peak>> levels;
};

// Paints one peak per column the way the whole-file waveform is painted.
QImage drawWavePeaks(const std::vector<CWavePeaks::Peak> &columns, int height);
