#include "ui_maindialog.h"

#include "buttonfit.h"
#include "clipslider.h"
#include "timeedit.h"
#include "volumeslider.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpacerItem>
#include <QSpinBox>

namespace {

const char kMainStyleProperty[] = "st";
const char kMainStyleValue[] = "main";

const char kCheckBoxStyle[] =
    "QCheckBox::indicator:unchecked { image: url(:/images/check_button.png); }\n"
    "QCheckBox::indicator:unchecked:hover { image: url(:/images/check_hover.png); }\n"
    "QCheckBox::indicator:checked { image: url(:/images/check_down.png); }\n"
    "QCheckBox::indicator:disabled{ border-image: url(:/images/check_disable.png) ;}\n";

void markMain(QWidget *widget)
{
    widget->setProperty(kMainStyleProperty, QString::fromLatin1(kMainStyleValue));
}

QPushButton *makeSkinnedButton(QWidget *parent, const char *name, const QRect &geometry,
                               const char *skin, bool withDisabledPicture)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setStyleSheet(pictureButtonStyle(QString::fromLatin1(skin), withDisabledPicture));
    return button;
}

QLabel *makeLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

QString pictureButtonStyle(const QString &skin, bool withDisabledPicture)
{
    QString style = QStringLiteral(
                        "QPushButton{ border-image: url(:/images/%1_button.png) ;}\n"
                        "QPushButton:hover{ border-image: url(:/images/%1_hover.png) ;}\n"
                        "QPushButton:pressed{ border-image: url(:/images/%1_down.png) ;}\n")
                        .arg(skin);
    if (withDisabledPicture)
        style += QStringLiteral("QPushButton:disabled{ border-image: url(:/images/%1_disable.png) ;}\n").arg(skin);
    return style;
}

void Ui_MainDialog::setupUi(QDialog *MainDialog)
{
    MainDialog->setObjectName(QStringLiteral("MainDialog"));
    MainDialog->resize(750, 531);
    MainDialog->setMinimumSize(750, 531);
    MainDialog->setMaximumSize(750, 531);

    QFont boldFont;
    boldFont.setPointSize(10);
    boldFont.setWeight(QFont::Bold);

    sliderBar = new CClipSlider(MainDialog);
    sliderBar->setObjectName(QStringLiteral("sliderBar"));
    sliderBar->setGeometry(60, 205, 530, 50);

    progressBar = new QProgressBar(MainDialog);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setGeometry(440, 470, 94, 22);
    progressBar->setValue(24);

    btnMenu = makeSkinnedButton(MainDialog, "btnMenu", {572, 137, 28, 28}, "menu", false);
    btnMinimize = makeSkinnedButton(MainDialog, "btnMinimize", {598, 160, 31, 31}, "minimize", false);
    btnClose = makeSkinnedButton(MainDialog, "btnClose", {634, 169, 29, 29}, "close", false);
    btnGenerate = makeSkinnedButton(MainDialog, "btnGenerate", {543, 450, 60, 60}, "generate", true);
    btnPlay = makeSkinnedButton(MainDialog, "btnPlay", {294, 343, 92, 38}, "play", true);
    btnPause = makeSkinnedButton(MainDialog, "btnPause", {383, 319, 92, 38}, "pause", true);
    btnPlayClip = makeSkinnedButton(MainDialog, "btnPlayClip", {474, 343, 92, 38}, "clip", true);
    btnBrowseIn = makeSkinnedButton(MainDialog, "btnBrowseIn", {477, 160, 88, 29}, "browse", false);
    markMain(btnBrowseIn);

    labelInput = makeLabel(MainDialog, "labelInput");
    labelInput->setGeometry(60, 164, 90, 16);
    labelInput->setFont(boldFont);
    markMain(labelInput);

    editInputFile = new QLineEdit(MainDialog);
    editInputFile->setObjectName(QStringLiteral("editInputFile"));
    editInputFile->setGeometry(153, 160, 315, 28);
    editInputFile->setReadOnly(true);

    layoutWidget = new QWidget(MainDialog);
    layoutWidget->setObjectName(QStringLiteral("layoutWidget"));
    layoutWidget->setGeometry(40, 470, 391, 22);
    horizontalLayout = new QHBoxLayout(layoutWidget);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    labelManage = makeLabel(layoutWidget, "labelManage");
    horizontalLayout->addWidget(labelManage);
    labelHelp = makeLabel(layoutWidget, "labelHelp");
    horizontalLayout->addWidget(labelHelp);
    labelHome = makeLabel(layoutWidget, "labelHome");
    horizontalLayout->addWidget(labelHome);
    labelAbout = makeLabel(layoutWidget, "labelAbout");
    horizontalLayout->addWidget(labelAbout);
    horizontalSpacer = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    horizontalLayout->addItem(horizontalSpacer);

    labelStatus = makeLabel(MainDialog, "labelStatus");
    labelStatus->setGeometry(50, 510, 471, 21);
    markMain(labelStatus);

    layoutWidget1 = new QWidget(MainDialog);
    layoutWidget1->setObjectName(QStringLiteral("layoutWidget1"));
    layoutWidget1->setGeometry(60, 440, 451, 22);
    horizontalLayout_2 = new QHBoxLayout(layoutWidget1);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setContentsMargins(0, 0, 0, 0);
    checkExport = new QCheckBox(layoutWidget1);
    checkExport->setObjectName(QStringLiteral("checkExport"));
    checkExport->setFont(boldFont);
    checkExport->setStyleSheet(QString::fromLatin1(kCheckBoxStyle));
    horizontalLayout_2->addWidget(checkExport);
    checkExportITunes = new QCheckBox(layoutWidget1);
    checkExportITunes->setObjectName(QStringLiteral("checkExportITunes"));
    checkExportITunes->setFont(boldFont);
    checkExportITunes->setStyleSheet(QString::fromLatin1(kCheckBoxStyle));
    horizontalLayout_2->addWidget(checkExportITunes);
    horizontalSpacer_2 = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    horizontalLayout_2->addItem(horizontalSpacer_2);

    labelPlayTime = makeLabel(MainDialog, "labelPlayTime");
    labelPlayTime->setGeometry(290, 290, 121, 16);
    labelPlayTime->setText(QStringLiteral("00:00:00 / 00:00:00"));
    markMain(labelPlayTime);

    sliderVolume = new CVolumeSlider(MainDialog);
    sliderVolume->setObjectName(QStringLiteral("sliderVolume"));
    sliderVolume->setGeometry(450, 290, 160, 16);

    labelVolume = makeLabel(MainDialog, "labelVolume");
    labelVolume->setGeometry(485, 306, 101, 20);
    labelVolume->setText(QStringLiteral("Volume: 1.0x"));
    labelVolume->setAlignment(Qt::AlignCenter);
    markMain(labelVolume);

    gridLayoutWidget = new QWidget(MainDialog);
    gridLayoutWidget->setObjectName(QStringLiteral("gridLayoutWidget"));
    gridLayoutWidget->setGeometry(60, 286, 174, 80);
    gridLayout = new QGridLayout(gridLayoutWidget);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setVerticalSpacing(0);
    labelStart = makeLabel(gridLayoutWidget, "labelStart");
    labelStart->setFont(boldFont);
    markMain(labelStart);
    gridLayout->addWidget(labelStart, 0, 0, 1, 1);
    editStartTime = new CTimeEdit(gridLayoutWidget);
    editStartTime->setObjectName(QStringLiteral("editStartTime"));
    editStartTime->setMinimumHeight(22);
    gridLayout->addWidget(editStartTime, 0, 1, 1, 1);
    labelEnd = makeLabel(gridLayoutWidget, "labelEnd");
    labelEnd->setFont(boldFont);
    markMain(labelEnd);
    gridLayout->addWidget(labelEnd, 1, 0, 1, 1);
    editEndTime = new CTimeEdit(gridLayoutWidget);
    editEndTime->setObjectName(QStringLiteral("editEndTime"));
    editEndTime->setMinimumHeight(22);
    gridLayout->addWidget(editEndTime, 1, 1, 1, 1);
    labelLength = makeLabel(gridLayoutWidget, "labelLength");
    labelLength->setFont(boldFont);
    markMain(labelLength);
    gridLayout->addWidget(labelLength, 2, 0, 1, 1);
    labelLengthValue = makeLabel(gridLayoutWidget, "labelLengthValue");
    labelLengthValue->setMaximumHeight(22);
    labelLengthValue->setAlignment(Qt::AlignCenter);
    markMain(labelLengthValue);
    gridLayout->addWidget(labelLengthValue, 2, 1, 1, 1);

    horizontalLayoutWidget = new QWidget(MainDialog);
    horizontalLayoutWidget->setObjectName(QStringLiteral("horizontalLayoutWidget"));
    horizontalLayoutWidget->setGeometry(60, 410, 511, 30);
    horizontalLayout_3 = new QHBoxLayout(horizontalLayoutWidget);
    horizontalLayout_3->setObjectName(QStringLiteral("horizontalLayout_3"));
    horizontalLayout_3->setContentsMargins(0, 0, 0, 0);
    labelOutput = makeLabel(horizontalLayoutWidget, "labelOutput");
    labelOutput->setFont(boldFont);
    markMain(labelOutput);
    horizontalLayout_3->addWidget(labelOutput);
    editOutputFolder = new QLineEdit(horizontalLayoutWidget);
    editOutputFolder->setObjectName(QStringLiteral("editOutputFolder"));
    editOutputFolder->setReadOnly(true);
    horizontalLayout_3->addWidget(editOutputFolder);
    btnBrowseOut = new QPushButton(horizontalLayoutWidget);
    btnBrowseOut->setObjectName(QStringLiteral("btnBrowseOut"));
    btnBrowseOut->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    btnBrowseOut->setMinimumSize(80, 28);
    btnBrowseOut->setStyleSheet(pictureButtonStyle(QStringLiteral("browse"), false));
    markMain(btnBrowseOut);
    horizontalLayout_3->addWidget(btnBrowseOut);

    horizontalLayoutWidget_2 = new QWidget(MainDialog);
    horizontalLayoutWidget_2->setObjectName(QStringLiteral("horizontalLayoutWidget_2"));
    horizontalLayoutWidget_2->setGeometry(60, 380, 341, 30);
    horizontalLayout_4 = new QHBoxLayout(horizontalLayoutWidget_2);
    horizontalLayout_4->setObjectName(QStringLiteral("horizontalLayout_4"));
    horizontalLayout_4->setContentsMargins(0, 0, 0, 0);
    label = makeLabel(horizontalLayoutWidget_2, "label");
    label->setFont(boldFont);
    markMain(label);
    horizontalLayout_4->addWidget(label);
    editOutputName = new QLineEdit(horizontalLayoutWidget_2);
    editOutputName->setObjectName(QStringLiteral("editOutputName"));
    horizontalLayout_4->addWidget(editOutputName);

    spinFadein = new QSpinBox(MainDialog);
    spinFadein->setObjectName(QStringLiteral("spinFadein"));
    spinFadein->setGeometry(330, 310, 51, 22);
    spinFadein->setMinimumHeight(22);
    spinFadein->setRange(0, 10);

    labelFadein = makeLabel(MainDialog, "labelFadein");
    labelFadein->setGeometry(262, 300, 66, 34);
    // Two lines where a language needs them.
    labelFadein->setWordWrap(true);
    labelFadein->setFont(boldFont);
    markMain(labelFadein);

    // The clip's end, at the right of the preview buttons as the fade-in
    // is at their left. Its text ends over the end of its field and may
    // run left over the free top of Play Clip, under the volume label;
    // absolute, or a right-to-left text would start at the far end.
    labelFadeout = makeLabel(MainDialog, "labelFadeout");
    labelFadeout->setGeometry(474, 323, 147, 20);
    labelFadeout->setAlignment(Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute);
    labelFadeout->setFont(boldFont);
    markMain(labelFadeout);

    spinFadeout = new QSpinBox(MainDialog);
    spinFadeout->setObjectName(QStringLiteral("spinFadeout"));
    spinFadeout->setGeometry(570, 346, 51, 22);
    spinFadeout->setMinimumHeight(22);
    spinFadeout->setRange(0, 10);

    // Under Play Clip, which it changes.
    checkLoop = new QCheckBox(MainDialog);
    checkLoop->setObjectName(QStringLiteral("checkLoop"));
    checkLoop->setGeometry(478, 383, 110, 24);
    checkLoop->setFont(boldFont);
    checkLoop->setStyleSheet(QString::fromLatin1(kCheckBoxStyle));

    retranslateUi(MainDialog);
}

void Ui_MainDialog::retranslateUi(QDialog *MainDialog)
{
    MainDialog->setWindowTitle(QCoreApplication::translate("MainDialog", "Tonquill"));
    btnMenu->setToolTip(QCoreApplication::translate("MainDialog", "Menu"));
    btnMenu->setText(QString());
    btnMinimize->setToolTip(QCoreApplication::translate("MainDialog", "Minimize"));
    btnMinimize->setText(QString());
    btnClose->setToolTip(QCoreApplication::translate("MainDialog", "Close"));
    btnClose->setText(QString());
    btnGenerate->setToolTip(QCoreApplication::translate("MainDialog", "Generate"));
    btnGenerate->setText(QString());
    btnPlay->setToolTip(QCoreApplication::translate("MainDialog", "Play"));
    btnPlay->setText(QString());
    btnPause->setToolTip(QCoreApplication::translate("MainDialog", "Pause"));
    btnPause->setText(QString());
    btnPlayClip->setToolTip(QCoreApplication::translate("MainDialog", "Preview"));
    btnPlayClip->setText(QString());
    btnBrowseIn->setText(QCoreApplication::translate("MainDialog", "Browse..."));
    labelInput->setText(QCoreApplication::translate("MainDialog", "Input File:"));
    labelManage->setText(QCoreApplication::translate("MainDialog", "<img src=\":/images/tool.png\" /><a href=\"x\"><font color=#ffffff>Manage</font></a>"));
    labelHelp->setText(QCoreApplication::translate("MainDialog", "<img src=':/images/help.png'><a href=x><font color=#ffffff>Help</font></a>"));
    labelHome->setText(QCoreApplication::translate("MainDialog", "<img src=':/images/home.png'><a href=x><font color=#ffffff>Home</font></a>"));
    labelAbout->setText(QCoreApplication::translate("MainDialog", "<img src=':/images/about.png'><a href=x><font color=#ffffff>About</font></a>"));
    labelStatus->setText(QCoreApplication::translate("MainDialog", "Ready."));
    checkExport->setText(QCoreApplication::translate("MainDialog", "Export to iPhone"));
    checkExportITunes->setText(QCoreApplication::translate("MainDialog", "Export to iTunes"));
    labelStart->setText(QCoreApplication::translate("MainDialog", "Start Time:"));
    labelEnd->setText(QCoreApplication::translate("MainDialog", "End Time:"));
    labelLength->setText(QCoreApplication::translate("MainDialog", "Length:"));
    labelOutput->setText(QCoreApplication::translate("MainDialog", "Local Output Folder:"));
    btnBrowseOut->setText(QCoreApplication::translate("MainDialog", "Browse..."));
    label->setText(QCoreApplication::translate("MainDialog", "Output Name:"));
    labelFadein->setText(QCoreApplication::translate("MainDialog", "Fade in:"));
    spinFadein->setToolTip(QCoreApplication::translate("MainDialog", "Seconds the ringtone takes to rise from silence"));
    labelFadeout->setText(QCoreApplication::translate("MainDialog", "Fade out:"));
    checkLoop->setText(QCoreApplication::translate("MainDialog", "Loop"));
    checkLoop->setToolTip(QCoreApplication::translate("MainDialog", "Play Clip plays the clip over and over, as the phone rings it"));
    sliderBar->setToolTip(QCoreApplication::translate(
        "MainDialog", "Ctrl+wheel zooms, the wheel or a drag on empty space scrolls, a double-click shows the whole file.\n"
                      "Click a handle or the clip, then Left/Right move it by 10 ms (Shift: 100 ms, Ctrl: 1 s), Home/End to the file's ends."));
    spinFadeout->setToolTip(QCoreApplication::translate("MainDialog", "Seconds the ringtone takes to fall to silence at its end"));

    // A longer translation widens the Browse buttons into their fields.
    const int inputRight = 565;
    const int browseInWidth = widthForText(btnBrowseIn, 88);
    btnBrowseIn->setGeometry(inputRight - browseInWidth, 160, browseInWidth, 29);
    editInputFile->setGeometry(153, 160, btnBrowseIn->x() - 9 - 153, 28);
    btnBrowseOut->setMinimumWidth(widthForText(btnBrowseOut, 80));
}
