// libFuzzer target: the WAV reader over arbitrary bytes, once as a random-
// access buffer and once as a sequential stream (skips by reading there).
#include "waveimage.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

class SequentialBuffer final : public QBuffer
{
public:
    using QBuffer::QBuffer;
    bool isSequential() const override { return true; }
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
        SequentialBuffer buffer;
        buffer.setData(bytes);
        CreateWaveImage(&buffer, 17, 9);
    }
    return 0;
}
