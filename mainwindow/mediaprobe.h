#pragma once

/*
 * The media probe as the window reaches it: the duration of a media file in
 * seconds, measured with libavformat (CMediaInfo). It lives in the player
 * module with the rest of the FFmpeg code, which the program loads on first
 * use. Returns 0 or a negative error; *seconds is 0.0 when the file cannot
 * be probed.
 */

#ifdef __cplusplus
extern "C" {
#endif

/* path: UTF-8, native separators. */
int tonquill_probe(const char *path, double *seconds);

#ifdef __cplusplus
}
#endif
