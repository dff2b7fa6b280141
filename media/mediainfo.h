#pragma once

// Measures a media file before anything else is done with it: opens it with
// libavformat, reads the stream information and keeps the container's
// duration; where the container states none, the audio's packets are read
// (not decoded) to measure it, for at most a quarter of a second: a longer
// file's length is then estimated from the part read, and the waveform job
// gives the real one. Anything but a regular file is refused unopened. A
// small value type, normally a local of the caller.
class CMediaInfo final
{
public:
    CMediaInfo() = default;

    // path: native separators, UTF-8. Returns 0, or the negative libavformat
    // error of the step that failed; the duration is then left unchanged.
    int open(const char *path);

    // Seconds; 0.0 until a probe succeeds. A file without an audio stream,
    // or one that states no length and holds no audio packet, fails the
    // probe.
    double duration() const { return m_duration; }

    // True after a successful probe of a file a phone takes as a ringtone as
    // it is: an MP4-family container (mp4, m4a, m4r, mov) whose one audio
    // stream is AAC and that holds nothing else but cover pictures. Anything
    // else (MP3, WAV, a film, two soundtracks, chapter tracks) has to be
    // converted first.
    bool isAacInMp4() const { return m_aacInMp4; }

private:
    double m_duration = 0.0;
    bool m_aacInMp4 = false;
};
