#pragma once

#include "avconverter.h"
#include "framelesswindow.h"
#include "ringtonejob.h"
#include "waveformloader.h"

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class QTemporaryDir;
class CPhoneLink;
class Ui_MainDialog;
namespace Ui { class MainDialog; }
struct DeviceBridge;

// The program's one main window: owns the form, the pop-up menu, the
// conversion job, the device bridge handle and the player registration.
class MainDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainDialog)

public:
    explicit MainDialog(QWidget *parent = nullptr);
    ~MainDialog() override;

    // The one writer of the status line. The text must live for the whole run
    // (a string literal): it is kept untranslated and translated again on
    // every language change.
    void setStatus(const char *source);
    // The same, followed by why it happened: reason is the encoder's own
    // line (or a system error text), shown in a form a user can act on and
    // whole in the status line's tooltip.
    void setStatus(const char *source, const QString &reason);

    void loadInputFile(const QString &path);
    // A file named on the command line: loaded as if dropped on the window; a
    // refused one leaves the window empty.
    void openFile(const QString &path);

    // Starts decoding the window's pictures on a second thread, so that the
    // next MainDialog finds them ready. Call it right after the application
    // object is made.
    static void preloadPictures();

Q_SIGNALS:
    void onPlayStateChanged2(int state);
    void onIPhoneChanged2(const QString &connect);
    void phoneChanged(bool bConnect);

private Q_SLOTS:
    void onBtnBrowseIn();
    void onBtnBrowseOut();
    void onBtnPlay();
    void onBtnPause();
    void onBtnPlayClip();
    void onBtnGenerate();
    void onSliderMoved(double value);
    void onClipChanged(double begin, double end);
    // Milliseconds from the file's start.
    void onStartTimeChanged(qint64 time);
    void onEndTimeChanged(qint64 time);
    void onVolumeSliderMoved(int value);
    void onPlayStateChanged(int state);
    void onIPhoneChanged(const QString &connect);
    void onAVConverterFinished();

public Q_SLOTS:
    void onBtnManage();
    void onBtnHelp();
    void onBtnHome();
    void onBtnAbout();

protected:
    void timerEvent(QTimerEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslateActions();
    void checkITunes();
    void playbackTick();
    void progressTick();
    void startWaveformJob();
    // Starts the conversion job with the progress bar counting outputSeconds.
    void startJob(int jobType, double outputSeconds);
    void finishWaveform(const QString &wavePath);
    // The picture, the fine peaks and the WAV's own length, read on the
    // loader's worker: the timeline shows them and Generate comes back.
    void showWaveform(const CWaveformLoader::Result &wave);
    void showLoadedStatus();
    void finishRingtone(const QString &encodedPath);
    // The encoded file could not be renamed to the ringtone: keeps it, says
    // where, and still sends it to the phone when that was asked for.
    void keepEncodedRingtone(const QString &encodedPath, const QString &ringtone, const QString &error,
                             const QString &name, int clipMilliseconds, bool toPhone);
    void showStatus();
    // Writes the clip into the editors and the length label without writing
    // it back to the timeline.
    void showClip(double begin, double end);
    // The file's length as decoded, which a damaged or badly written header
    // may state wrongly: the timeline, the editors and the clip follow it.
    void applyDecodedLength(double seconds);
    void applyLength(double seconds);
    QString waveFolder();
    // Space (play/pause wherever the focus is but in a text field), Ctrl+O,
    // F1, Ctrl+Q, Escape (asks first while a ringtone is made). Also the
    // focus ring and the order of Tab.
    void setupShortcuts();
    void keepLeftToRight();
    void togglePlayback();
    bool eventFilter(QObject *object, QEvent *event) override;
    // Said once a run: the player found no sound device and plays silently.
    void tellIfSilent(int playResult);
    // A fade-in longer than the clip, a silent volume; a warning or a
    // "too short" that no longer applies is cleared.
    void setupRingtoneWarnings();
    void updateRingtoneWarnings();
    // At volume 0 Generate asks first: true to go on.
    bool confirmSilentRingtone();
    // The window's place on the screen, kept between runs where the
    // platform lets a window place itself (not on Wayland).
    void restorePosition();
    void rememberPosition();
    // The phone's 40-second limit: the Length label's colour and tooltip
    // before Generate, a status after it.
    void setupLengthWarning();
    void updateLengthWarning();
    void warnAboutLongRingtone();

    CWindowDrag drag{this};
    Ui::MainDialog *ui = nullptr;
    QAction *actionManage = nullptr;
    QAction *actionAbout = nullptr;
    QAction *actionHelp = nullptr;
    QAction *actionHomePage = nullptr;
    QMenu *languageMenu = nullptr;
    double mediaDuration = 0.0;
    QString durationText;
    int playState = 0;
    bool clipPlaying = false;
    int playTimerId = 0;
    int progressTimerId = 0;
    bool syncingFromSlider = false;
    CAVConverter converter;
    DeviceBridge *deviceBridge = nullptr;
    // The phone side: events, the iTunes check and the exports.
    CPhoneLink *phoneLink = nullptr;
    double discAngle = 0.0;
    const char *statusSource = "";
    QString iTunesPath;
    // Seconds of output the running job makes: what its progress is out of.
    double jobSeconds = 0.0;
    // A file was loaded while a job ran; its waveform job waits for the end.
    bool waveformPending = false;
    // A ringtone's outcome came in while a newer file was loading: it stays
    // in the status line rather than giving way to "File loaded.".
    bool keepOutcome = false;
    // Set while an editor's typed time is being clamped: the clamping write
    // must not be taken as another typed time.
    bool clampingEditor = false;
    QString statusReason;
    bool silentTold = false;
    // What Generate was pressed with: the job keeps it, whatever is loaded
    // or typed while it runs. The export boxes are read when it ends.
    struct RingtoneJob
    {
        QString input;
        QString outputName;
        double start = 0.0;
        double end = 0.0;
    } ringtoneJob;
    // Private folder of this window's temporary waveform files (made on
    // first use, removed with its contents when the window goes).
    std::unique_ptr<QTemporaryDir> waveTemp;
    // Reads the waveform WAVs in waveTemp; stopped before the folder goes.
    CWaveformLoader waveLoader;

    // The window's own pictures, loaded once; painting runs every 500 ms
    // while a preview or a job runs.
    struct Pictures
    {
        QPixmap background;
        QPixmap leftBack;
        QPixmap leftFore;
        QPixmap rightBack;
        QPixmap rightFore;
        QPixmap disc;
    } pictures;
};

// The one main window, for the device callback, which has no other way in.
extern MainDialog *theMainDialog;

// Rows of the level-bar pictures that the progress value v lights, as
// [first, last] picture rows; first > last when nothing is lit.
struct LitRows
{
    int first;
    int last;
};
LitRows leftBarLitRows(int v);
// How a file drop is taken: a copy, else a link; never a move, which would
// have the source delete the dropped file. IgnoreAction when neither is
// offered.
Qt::DropAction fileDropAction(Qt::DropActions possible);
// The open dialog's filter, in the form this platform's file dialogs read.
QString inputFileFilter();
LitRows rightBarLitRows(int v);
// The volume label's number for the mapped value v (slider values above 100
// already mapped): tenths, truncated.
QString volumeFactorText(int v);
