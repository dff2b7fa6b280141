#include "ringtonejob.h"

#include "avconverter.h"
#include "outputnames.h"

#include <QCoreApplication>
#include <QFile>

QString prepareRingtoneJob(CAVConverter &job, const RingtoneRequest &request, const QString &folder)
{
    const QString output = OutputNames::encodedFile(folder, request.input);
    job.reset();
    job.setInputFile(request.input);
    job.setStartTime(request.start);
    job.setDuration(request.end - request.start);
    job.setVolume(request.gain);
    job.setFadeIn(request.fadeIn);
    job.setFadeOut(request.fadeOut);
    job.setOutputFile(output);
    return output;
}

void prepareWaveformJob(CAVConverter &job, const QString &input, const QString &wavePath)
{
    job.reset();
    job.setInputFile(input);
    job.setOutputFile(wavePath);
}

QString ringtoneJobFailure(const CAVConverter &job)
{
    if (job.succeeded() && QFile::exists(job.outputFile()))
        return {};
    const QString reason = job.lastMessage();
    return reason.isEmpty() ? QStringLiteral("The encoder program could not be run") : reason;
}

int encoderGain(int percent)
{
    return (percent * 256) / 100;
}

int encoderVolume(int sliderValue)
{
    return encoderGain(sliderValue > 100 ? 4 * sliderValue - 300 : sliderValue);
}

namespace {

struct Hint
{
    const char *marker;
    const char *text;
};

const char kFullDisk[] = QT_TRANSLATE_NOOP("MainDialog", "The disk of the output folder is full.");
const char kGone[] = QT_TRANSLATE_NOOP("MainDialog", "The input file is gone.");
const char kNoSound[] = QT_TRANSLATE_NOOP("MainDialog", "The input file has no sound.");
const char kDamaged[] = QT_TRANSLATE_NOOP("MainDialog", "The input file is damaged or not a media file.");

// The encoder ends its lines with the system's or FFmpeg's own error text in
// parentheses; these are the ones a user can do something about.
const Hint kHints[] = {
    {"Permission denied", QT_TRANSLATE_NOOP("MainDialog", "The output folder cannot be written to: choose another one.")},
    {"Read-only file system", QT_TRANSLATE_NOOP("MainDialog", "The output folder cannot be written to: choose another one.")},
    {"No space left on device", kFullDisk},
    {"File too large", kFullDisk},
    {"Disk quota exceeded", kFullDisk},
    {"No such file or directory", kGone},
    {"Could not find an audio stream", kNoSound},
    {"Invalid data found", kDamaged},
    {"Could not decode", kDamaged},
    {"has no audio", QT_TRANSLATE_NOOP("MainDialog", "The clip holds no sound.")},
};

const Hint *findHint(const QString &reason)
{
    for (const Hint &hint : kHints)
        if (reason.contains(QLatin1String(hint.marker)))
            return &hint;
    return nullptr;
}

const char kLongClipTip[] = QT_TRANSLATE_NOOP(
    "MainDialog", "An iPhone lists ringtones only up to 40 seconds: shorten the clip, or the phone will not offer it.");
const char kLongRingtoneStatus[] = QT_TRANSLATE_NOOP(
    "MainDialog", "Done, but the ringtone is longer than 40 seconds: the iPhone will not list it.");
const char kLongRingtoneSentStatus[] = QT_TRANSLATE_NOOP(
    "MainDialog", "Sent to the iPhone, but the ringtone is longer than 40 seconds: the iPhone will not list it.");

} // namespace

QString failureHint(const QString &reason)
{
    const Hint *hint = findHint(reason);
    return hint ? QCoreApplication::translate("MainDialog", hint->text) : reason;
}

RingtoneFailure failureKind(const QString &reason)
{
    const Hint *hint = findHint(reason);
    if (!hint)
        return RingtoneFailure::Other;
    if (hint->text == kFullDisk)
        return RingtoneFailure::DiskFull;
    return hint->text == kGone || hint->text == kNoSound || hint->text == kDamaged ? RingtoneFailure::BadInput
                                                                                : RingtoneFailure::Other;
}

const char *ringtoneWarning(double clipSeconds, int fadeInSeconds, int volume)
{
    if (volume <= 0)
        return RingtoneText::kSilentVolume;
    if (fadeInSeconds > 0 && fadeInSeconds >= clipSeconds)
        return RingtoneText::kFadeOverClip;
    return nullptr;
}

bool longerThanPhoneLists(double seconds)
{
    return qint64(seconds * 1000) > qint64(kPhoneRingtoneSeconds * 1000);
}

const char *longRingtoneStatus(bool sentToPhone)
{
    return sentToPhone ? kLongRingtoneSentStatus : kLongRingtoneStatus;
}

const char *longClipTip()
{
    return kLongClipTip;
}
