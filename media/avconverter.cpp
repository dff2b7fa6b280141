#include "avconverter.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLoggingCategory>

#include <algorithm>
#include <cmath>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace {

// The program's diagnostics category (see app/desktop.h); quiet by default.
Q_LOGGING_CATEGORY(lcProgress, "tonquill.diagnostics", QtInfoMsg)

// Output notifications of all jobs of this program run; only feeds the
// debug line.
qint64 notificationCount = 0;

// Whole milliseconds with the unit, as FFmpeg's own duration syntax writes
// them: exact at any length, where six significant digits would move a start
// late in a long file by up to 50 ms. The editors hold whole milliseconds, so
// rounding gives back exactly what the user typed.
QString millisecondsText(double seconds)
{
    const qint64 ms = seconds > 0 ? std::llround(seconds * 1000) : 0;
    return QString::number(ms) + QStringLiteral("ms");
}

QString encoderProgram()
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg.exe");
#else
    return QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg");
#endif
}

constexpr qsizetype kTailBytes = 4096;

void keepTail(QByteArray &tail, QByteArrayView text)
{
    tail.append(text);
    if (tail.size() > kTailBytes)
        tail.remove(0, tail.size() - kTailBytes);
}

} // namespace

CAVConverter::CAVConverter()
{
    connect(&process, &QProcess::readyReadStandardOutput, this, &CAVConverter::onStdoutReady);
    connect(&process, &QProcess::readyReadStandardError, this, &CAVConverter::onStdoutReady);
    connect(&process, &QProcess::finished, this, &CAVConverter::onProcessFinished);
    connect(&process, &QProcess::errorOccurred, this, &CAVConverter::onProcessError);
}

CAVConverter::~CAVConverter()
{
    stop();
}

void CAVConverter::stop()
{
    // The owner is going away: no end-of-job handling may run now.
    disconnect(&process, nullptr, this, nullptr);
    m_running = false;
    if (process.state() != QProcess::NotRunning) {
        // Asked politely first, the encoder removes its unfinished file;
        // where it cannot be asked (Windows) or does not answer, it is killed.
#ifndef Q_OS_WIN
        process.terminate();
        if (process.waitForFinished(2000))
            return;
#endif
        process.kill();
        process.waitForFinished(5000);
    }
}

void CAVConverter::reset()
{
    preInputOptions.clear();
    m_inputPath.clear();
    postInputOptions.clear();
    m_outputPath.clear();
}

void CAVConverter::setInputFile(const QString &path)
{
    m_inputPath = path;
}

void CAVConverter::setOutputFile(const QString &path)
{
    m_outputPath = QDir::toNativeSeparators(path);
}

void CAVConverter::setStartTime(double seconds)
{
    preInputOptions << QStringLiteral("-ss") << millisecondsText(seconds);
}

void CAVConverter::setDuration(double seconds)
{
    preInputOptions << QStringLiteral("-t") << millisecondsText(seconds);
}

void CAVConverter::setVolume(int value)
{
    postInputOptions << QStringLiteral("-vol") << QString::number(value);
}

void CAVConverter::setFadeIn(int value)
{
    postInputOptions << QStringLiteral("-fadein") << QString::number(value);
}

void CAVConverter::setFadeOut(int value)
{
    if (value > 0)
        postInputOptions << QStringLiteral("-fadeout") << QString::number(value);
}

void CAVConverter::start(int jobType)
{
    m_currentTime = 0.0;
    m_jobType = jobType;
    m_succeeded = false;
    m_running = true;
    m_outputTail.clear();

    QStringList arguments = preInputOptions;
    arguments << QStringLiteral("-y") << QStringLiteral("-i") << m_inputPath;
    arguments << postInputOptions;
    arguments << QStringLiteral("-vn") << QStringLiteral("-ab") << QStringLiteral("192K")
              << QStringLiteral("-ac") << QStringLiteral("2") << QStringLiteral("-ar")
              << QStringLiteral("44100");
    // The waveform's WAV is read once and removed: syncing its hundreds of
    // megabytes to the disk would only delay the picture.
    if (jobType == JobExtractWave)
        arguments << QStringLiteral("-nosync");
    arguments << m_outputPath;

    // The encoder reports progress on its error stream.
    process.setProcessChannelMode(QProcess::MergedChannels);
#ifdef Q_OS_LINUX
    // Should this program die without stopping the job (a crash, SIGKILL),
    // the encoder is told as if its window had closed, rather than writing
    // on for hours. Set in the child before it runs the encoder (the setting
    // survives exec): the parent may already have died by then, and then
    // the signal will never come, so that is checked after. The signal
    // follows the thread that started the process: the GUI thread, which
    // lives as long as the program.
    process.setChildProcessModifier([parent = ::getpid()] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127);
    });
#endif
    process.start(encoderProgram(), arguments, QIODevice::ReadWrite);
}

void CAVConverter::onStdoutReady()
{
    ++notificationCount;

    // Deliberately small reads: what is left stays buffered in the process
    // object for the next notification.
    char buffer[256];
    const qint64 length = std::max<qint64>(0, process.read(buffer, sizeof buffer));
    const QByteArrayView text(buffer, length);
    keepTail(m_outputTail, text);

    const qsizetype key = text.indexOf("time=");
    if (key >= 0) {
        const qsizetype begin = key + 5;
        const qsizetype space = text.indexOf(' ', begin);
        if (space >= 0)
            m_currentTime = QString::fromLatin1(text.sliced(begin, space - begin)).toDouble();
    }

    qCDebug(lcProgress).noquote() << QStringLiteral(" i=%1 len=%2 time=%3")
                              .arg(notificationCount)
                              .arg(length)
                              .arg(m_currentTime);
}

void CAVConverter::onProcessFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (!m_running)
        return;
    m_running = false;
    m_succeeded = exitStatus == QProcess::NormalExit && exitCode == 0;
    // Output not yet read (the reads are small) holds the final lines.
    keepTail(m_outputTail, process.readAll());
    Q_EMIT finished();
}

void CAVConverter::onProcessError(QProcess::ProcessError error)
{
    // A program that never started reports no end of its own; without this
    // the owner would wait for the job forever.
    if (error != QProcess::FailedToStart || !m_running)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_running)
                return;
            m_running = false;
            m_succeeded = false;
            Q_EMIT finished();
        },
        Qt::QueuedConnection);
}

QString CAVConverter::lastMessage() const
{
    // Progress lines may end in a carriage return only.
    const QList<QByteArray> lines = m_outputTail.split('\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        for (const QByteArray &part : line->split('\r')) {
            const QByteArray text = part.trimmed();
            if (!text.isEmpty() && !text.startsWith("time=") && !text.contains(" time="))
                return QString::fromUtf8(text);
        }
    }
    return {};
}
