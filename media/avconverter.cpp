// Minimal stand-in, completed by the media work.
#include "avconverter.h"
CAVConverter::CAVConverter() { connect(&process, &QProcess::finished, this, &CAVConverter::finished); }
CAVConverter::~CAVConverter() = default;
void CAVConverter::reset() {}
void CAVConverter::setInputFile(const QString &path) { m_inputPath = path; }
void CAVConverter::setOutputFile(const QString &path) { m_outputPath = path; }
void CAVConverter::setStartTime(double) {}
void CAVConverter::setDuration(double) {}
void CAVConverter::setVolume(int) {}
void CAVConverter::setFadeIn(int) {}
void CAVConverter::start(int jobType) { m_jobType = jobType; }
void CAVConverter::onStdoutReady() {}
