#pragma once

#include <QtCore/qglobal.h>

class CClipSlider;
class CTimeEdit;
class CVolumeSlider;
class QCheckBox;
class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpacerItem;
class QSpinBox;
class QWidget;

// The main window's form: every child widget with its place and look. The
// widgets are children of the dialog; this object only points at them.
class Ui_MainDialog
{
public:
    CClipSlider *sliderBar = nullptr;
    QProgressBar *progressBar = nullptr;
    QPushButton *btnMenu = nullptr;
    QPushButton *btnMinimize = nullptr;
    QPushButton *btnClose = nullptr;
    QPushButton *btnGenerate = nullptr;
    QPushButton *btnPlay = nullptr;
    QPushButton *btnPause = nullptr;
    QPushButton *btnPlayClip = nullptr;
    QPushButton *btnBrowseIn = nullptr;
    QLabel *labelInput = nullptr;
    QLineEdit *editInputFile = nullptr;
    QWidget *layoutWidget = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QLabel *labelManage = nullptr;
    QLabel *labelHelp = nullptr;
    QLabel *labelHome = nullptr;
    QLabel *labelAbout = nullptr;
    QSpacerItem *horizontalSpacer = nullptr;
    QLabel *labelStatus = nullptr;
    QWidget *layoutWidget1 = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;
    QCheckBox *checkExport = nullptr;
    QCheckBox *checkExportITunes = nullptr;
    QSpacerItem *horizontalSpacer_2 = nullptr;
    QLabel *labelPlayTime = nullptr;
    CVolumeSlider *sliderVolume = nullptr;
    QLabel *labelVolume = nullptr;
    QWidget *gridLayoutWidget = nullptr;
    QGridLayout *gridLayout = nullptr;
    QLabel *labelStart = nullptr;
    CTimeEdit *editStartTime = nullptr;
    QLabel *labelEnd = nullptr;
    CTimeEdit *editEndTime = nullptr;
    QLabel *labelLength = nullptr;
    QLabel *labelLengthValue = nullptr;
    QWidget *horizontalLayoutWidget = nullptr;
    QHBoxLayout *horizontalLayout_3 = nullptr;
    QLabel *labelOutput = nullptr;
    QLineEdit *editOutputFolder = nullptr;
    QPushButton *btnBrowseOut = nullptr;
    QWidget *horizontalLayoutWidget_2 = nullptr;
    QHBoxLayout *horizontalLayout_4 = nullptr;
    QLabel *label = nullptr;
    QLineEdit *editOutputName = nullptr;
    QSpinBox *spinFadein = nullptr;
    QLabel *labelFadein = nullptr;
    QSpinBox *spinFadeout = nullptr;
    QLabel *labelFadeout = nullptr;
    QCheckBox *checkLoop = nullptr;

    void setupUi(QDialog *MainDialog);
    void retranslateUi(QDialog *MainDialog);
};

namespace Ui {
class MainDialog : public Ui_MainDialog
{
};
}

// The style sheet of a picture button: four border images named after the skin.
QString pictureButtonStyle(const QString &skin, bool withDisabledPicture);
