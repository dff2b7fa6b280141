/* Preloaded into the encoder by tst_encoder_ending: records every fsync,
 * fdatasync and rename with the paths involved, in the order they happen,
 * to the file TQ_SYNCSPY_LOG names; with TQ_SYNCSPY_FAIL set, an fsync of a
 * ".part" file fails with EIO, as a failing disk reports it. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static void record(const char *format, ...)
{
    const char *log = getenv("TQ_SYNCSPY_LOG");
    if (!log)
        return;
    char line[8192];
    va_list args;
    va_start(args, format);
    const int size = vsnprintf(line, sizeof line, format, args);
    va_end(args);
    const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (size > 0 && write(fd, line, (size_t)size < sizeof line ? (size_t)size : sizeof line - 1) < 0) {
        /* nothing to do about it */
    }
    close(fd);
}

static void pathOf(int fd, char *path, size_t size)
{
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, size - 1);
    path[length > 0 ? length : 0] = '\0';
}

static int synced(const char *name, int fd, int (*real)(int))
{
    char path[4096];
    pathOf(fd, path, sizeof path);
    record("%s %s\n", name, path);
    if (getenv("TQ_SYNCSPY_FAIL") && strstr(path, ".part")) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

int fsync(int fd)
{
    static int (*real)(int);
    if (!real)
        real = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    return synced("fsync", fd, real);
}

int fdatasync(int fd)
{
    static int (*real)(int);
    if (!real)
        real = (int (*)(int))dlsym(RTLD_NEXT, "fdatasync");
    return synced("fsync", fd, real);
}

int rename(const char *from, const char *to)
{
    static int (*real)(const char *, const char *);
    if (!real)
        real = (int (*)(const char *, const char *))dlsym(RTLD_NEXT, "rename");
    record("rename %s %s\n", from, to);
    return real(from, to);
}
