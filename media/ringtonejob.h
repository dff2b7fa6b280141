#pragma once

#include <QtGlobal>
#include <QString>

class CAVConverter;

// How a ringtone is made, the same for the window's Generate and for the
// command line: the encoder's options, the rules a clip must meet, the
// names of the finished file and the words for the outcome. Texts are
// untranslated literals of the "MainDialog" context (the window translates
// them; the command line prints them as they are).

// Shortest clip accepted, in milliseconds: less holds no AAC frame.
inline constexpr int kShortestClipMs = 100;
// The clip a newly loaded file gets: its first ten seconds (or all of it).
inline constexpr double kDefaultClipSeconds = 10.0;
// An iPhone lists ringtones only up to this length.
inline constexpr double kPhoneRingtoneSeconds = 40.0;
// The fade-in and fade-out take whole seconds up to this.
inline constexpr int kLongestFadeSeconds = 10;
// The loudest volume, in percent: the window's slider at its top.
inline constexpr int kLoudestVolumePercent = 500;

// What one ringtone is made of.
struct RingtoneRequest
{
    QString input;
    double start = 0.0;
    double end = 0.0;
    // The encoder's gain, 256 = unchanged (see encoderGain).
    int gain = 256;
    int fadeIn = 0;
    int fadeOut = 0;
};

// The encoder's gain (256 = unchanged) for a volume in percent (100 =
// unchanged); a boost past 100 is kept below full scale by the encoder's
// limiter.
int encoderGain(int percent);
// The encoder's gain for a volume slider value 0..200: above 100 the slider
// runs four times as fast, up to 500 %.
int encoderVolume(int sliderValue);

// Sets job up to encode the request's clip into "<input name>.m4a" in
// folder (made unique) and returns that path; the caller starts the job
// with JobEncodeRingtone. The folder must exist.
QString prepareRingtoneJob(CAVConverter &job, const RingtoneRequest &request, const QString &folder);
// Sets job up to decode the whole input into wavePath (for the waveform and
// the clip suggestion); the caller starts it with JobExtractWave.
void prepareWaveformJob(CAVConverter &job, const QString &input, const QString &wavePath);

// Why a finished ringtone job failed, in the encoder's own words: empty
// when it succeeded and left its file.
QString ringtoneJobFailure(const CAVConverter &job);

// What a user can do about a failed conversion, from the encoder's last line
// (or a system error text), translated; the line itself when it is not one
// we know.
QString failureHint(const QString &reason);
// Whose the fault is, from the same line: the output's disk is full (or the
// file may grow no further), the input is gone or no media file, or
// anything else.
enum class RingtoneFailure { Other, DiskFull, BadInput };
RingtoneFailure failureKind(const QString &reason);

// The warning a ringtone made now deserves, or null: silent (volume 0), or a
// fade-in that lasts the whole clip (it never reaches full level). volume is
// on any scale where 0 is silent.
const char *ringtoneWarning(double clipSeconds, int fadeInSeconds, int volume);

// The clip length in seconds, counted in whole ms, is over the phone's limit.
bool longerThanPhoneLists(double seconds);
// The status after a ringtone longer than the phone lists was made: made
// (sentToPhone false) or sent to the phone all the same.
const char *longRingtoneStatus(bool sentToPhone);
// The tooltip that says so before it is made.
const char *longClipTip();

// Statuses of a ringtone's making.
namespace RingtoneText {
inline constexpr char kMaking[] = QT_TRANSLATE_NOOP("MainDialog", "Making the ringtone, please wait...");
inline constexpr char kSucceeded[] = QT_TRANSLATE_NOOP("MainDialog", "Conversion succeed.");
inline constexpr char kFailed[] = QT_TRANSLATE_NOOP("MainDialog", "Conversion failed.");
inline constexpr char kTooShort[] =
    QT_TRANSLATE_NOOP("MainDialog", "The clip is too short: move its end further from its start.");
inline constexpr char kInvalidInput[] = QT_TRANSLATE_NOOP("MainDialog", "Invalid input file");
inline constexpr char kSilentVolume[] =
    QT_TRANSLATE_NOOP("MainDialog", "The volume is 0: the ringtone would be silent.");
inline constexpr char kFadeOverClip[] = QT_TRANSLATE_NOOP(
    "MainDialog", "The fade-in lasts the whole clip: the ringtone would never reach full volume.");
} // namespace RingtoneText
