// Runs one conversion job with the stand-in encoder beside it and waits, so
// that a test can kill this program mid-job and see what becomes of the
// encoder it started.
#include "avconverter.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    CAVConverter job;
    job.setInputFile(QStringLiteral("a.mp3"));
    job.setOutputFile(QStringLiteral("a.wav"));
    job.start(CAVConverter::JobExtractWave);
    return QCoreApplication::exec();
}
