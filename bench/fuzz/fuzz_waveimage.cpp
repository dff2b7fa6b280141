// libFuzzer target: the WAV reader over arbitrary bytes, once as a random-
// access buffer and once as a sequential stream (skips by reading there).
#include "waveimage.h"

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cstdint>

namespace {

// A stream that cannot seek (a pipe, say): chunks are skipped by reading.
class SequentialStream final : public QIODevice
{
public:
    explicit SequentialStream(const QByteArray &data)
        : m_data(data)
    {
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_data.size() - m_offset + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char *out, qint64 max) override
    {
        const qint64 n = std::min<qint64>(max, m_data.size() - m_offset);
        if (out) // QIODevice::skip() reads into nothing
            std::memcpy(out, m_data.constData() + m_offset, size_t(n));
        m_offset += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_offset = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The reader's diagnostics would drown the fuzzer's own output.
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    // Wider and narrower than typical sample counts: empty columns and long
    // runs per column are both exercised.
    {
        QBuffer buffer;
        buffer.setData(bytes);
        CreateWaveImage(&buffer, 530, 50);
    }
    {
        QBuffer buffer;
        buffer.setData(bytes);
        CreateWaveImage(&buffer, 3, 5);
    }
    {
        SequentialStream stream(bytes);
        CreateWaveImage(&stream, 17, 9);
    }
    return 0;
}
