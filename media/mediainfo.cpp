#include "mediainfo.h"

#include "avptr.h"

#include <QDebug>

// libavformat registers its formats itself since 4.0; nothing to do once per
// process any more.
int CMediaInfo::open(const char *path)
{
    av::InputFormatPtr input;
    int ret = av::openInput(input, path);
    if (ret < 0) {
        qDebug("Could not open input file '%s' (%s)", path, av::err2str(ret).c_str());
        return ret;
    }
    ret = avformat_find_stream_info(input.get(), nullptr);
    if (ret < 0) {
        qDebug("Could not find stream information of '%s' (%s)", path, av::err2str(ret).c_str());
        return ret;
    }
    // AV_NOPTS_VALUE passes through on purpose: it becomes a large negative
    // number of seconds that the callers' minimum-length test rejects.
    m_duration = double(input->duration) * 1e-6;
    return 0;
}
