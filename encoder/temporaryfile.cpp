#include "pipeline.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tq {

namespace {

// Longest file name (one path component) most file systems take: 255 bytes
// on Linux, 255 UTF-16 units on Windows, which is never fewer characters.
constexpr size_t kMaxNameBytes = 255;
// "." + up to ten digits + ".part"
constexpr size_t kTemporarySuffixBytes = 16;
constexpr int kNameAttempts = 64;
constexpr int kIoBufferSize = 64 * 1024;

#ifdef _WIN32
int createExclusive(const std::string &path)
{
    int fd = -1;
    const errno_t err = _wsopen_s(&fd, utf8Path(path).c_str(),
                                  _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                                  _S_IREAD | _S_IWRITE);
    return err ? -err : fd;
}
int writeSome(int fd, const uint8_t *data, int size) { return _write(fd, data, static_cast<unsigned>(size)); }
int64_t seekTo(int fd, int64_t offset, int whence) { return _lseeki64(fd, offset, whence); }
int64_t sizeOf(int fd)
{
    struct _stat64 info;
    return _fstat64(fd, &info) == 0 ? info.st_size : -1;
}
int closeFile(int fd) { return _close(fd); }
int syncFile(int fd) { return _commit(fd); }
// NTFS keeps a rename with the file's own metadata; there is no folder to sync.
void syncFolderOf(const std::string &) {}
// Positioned writes leave the descriptor's offset alone, so that several
// threads may fill their own parts of the file at once.
int writeSomeAt(int fd, const uint8_t *data, int size, int64_t offset)
{
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (!WriteFile(handle, data, static_cast<DWORD>(size), &written, &at)) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(written);
}
#else
int createExclusive(const std::string &path)
{
    // O_EXCL fails on any existing name, a dangling symbolic link included,
    // so nothing planted at the name is ever opened or followed.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    return fd >= 0 ? fd : -errno;
}
int writeSome(int fd, const uint8_t *data, int size)
{
    ssize_t written;
    do {
        written = ::write(fd, data, static_cast<size_t>(size));
    } while (written < 0 && errno == EINTR);
    return static_cast<int>(written);
}
int64_t seekTo(int fd, int64_t offset, int whence) { return ::lseek(fd, offset, whence); }
int64_t sizeOf(int fd)
{
    struct stat info;
    return ::fstat(fd, &info) == 0 ? info.st_size : -1;
}
int closeFile(int fd)
{
    // Linux closes the descriptor even when close() fails with EINTR: never
    // retried, and the error is the file's (NFS reports write errors here).
    const int ret = ::close(fd);
    return ret < 0 && errno == EINTR ? 0 : ret;
}
int syncFile(int fd)
{
    int ret;
    do {
        ret = ::fsync(fd);
    } while (ret < 0 && errno == EINTR);
    return ret;
}
// Makes the rename itself durable: until the folder reaches the disk, a
// crash may bring back the old name (or none).
void syncFolderOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The file is in place either way; some file systems cannot sync a
    // folder (EINVAL), which is no reason to report the job as failed.
    syncFile(fd);
    ::close(fd);
}
int writeSomeAt(int fd, const uint8_t *data, int size, int64_t offset)
{
    ssize_t written;
    do {
        written = ::pwrite(fd, data, static_cast<size_t>(size), static_cast<off_t>(offset));
    } while (written < 0 && errno == EINTR);
    return static_cast<int>(written);
}
#endif

// The libavformat write callback's buffer became const in later versions;
// a generic lambda converts to either signature.
constexpr auto writePacket = [](void *opaque, auto *data, int size) -> int {
    const int fd = *static_cast<int *>(opaque);
    for (int done = 0; done < size;) {
        const int written = writeSome(fd, data + done, size - done);
        if (written < 0)
            return AVERROR(errno);
        done += written;
    }
    return size;
};

int64_t seekPacket(void *opaque, int64_t offset, int whence)
{
    const int fd = *static_cast<int *>(opaque);
    if (whence & AVSEEK_SIZE)
        return sizeOf(fd);
    const int64_t position = seekTo(fd, offset, whence & ~AVSEEK_FORCE);
    return position < 0 ? AVERROR(errno) : position;
}

size_t utf8Boundary(const std::string &text, size_t at)
{
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
        --at;
    return at;
}

} // namespace

std::string temporaryNameBeside(const std::string &target, unsigned long long number)
{
#ifdef _WIN32
    const size_t slash = target.find_last_of("\\/");
#else
    const size_t slash = target.find_last_of('/');
#endif
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    // Cut the borrowed part of the name, never the folder, so that a legal
    // output name still gives a legal temporary one.
    size_t nameBytes = target.size() - nameStart;
    if (nameBytes + kTemporarySuffixBytes > kMaxNameBytes)
        nameBytes = utf8Boundary(target, nameStart + kMaxNameBytes - kTemporarySuffixBytes) - nameStart;
    return target.substr(0, nameStart + nameBytes) + "." + std::to_string(number % 1000000007ULL) + ".part";
}

TemporaryFile::~TemporaryFile()
{
    // Never committed (or committed already): nothing is worth a sync.
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
    if (m_fd >= 0)
        closeFile(m_fd);
    if (!m_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove(utf8Path(m_path), ignored);
    }
}

unsigned long long TemporaryFile::clockNumber()
{
    return static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
}

int TemporaryFile::createBeside(const std::string &target, unsigned long long stamp)
{
    int fd = -EEXIST;
    std::string path;
    for (int attempt = 0; attempt < kNameAttempts && fd == -EEXIST; ++attempt) {
        path = temporaryNameBeside(target, stamp++);
        fd = createExclusive(path);
    }
    if (fd < 0)
        return AVERROR(-fd);
    m_fd = fd;
    m_path = path;

    auto *buffer = static_cast<unsigned char *>(av_malloc(kIoBufferSize));
    m_io = buffer ? avio_alloc_context(buffer, kIoBufferSize, 1, &m_fd, nullptr, writePacket, &seekPacket) : nullptr;
    if (!m_io) {
        av_free(buffer);
        return AVERROR(ENOMEM);
    }
    return 0;
}

int TemporaryFile::writeAt(int64_t offset, const uint8_t *data, int size) const
{
    for (int done = 0; done < size;) {
        const int written = writeSomeAt(m_fd, data + done, size - done, offset + done);
        if (written <= 0)
            return written < 0 ? AVERROR(errno) : AVERROR(EIO);
        done += written;
    }
    return 0;
}

int TemporaryFile::close()
{
    int ret = 0;
    if (m_io) {
        avio_flush(m_io);
        ret = m_io->error;
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
    if (m_fd >= 0) {
        // A write the system accepted may still fail on its way to the disk
        // (a full or failing disk, a network file system): only fsync and
        // close tell.
        if (ret >= 0 && m_synced && syncFile(m_fd) < 0)
            ret = AVERROR(errno);
        if (closeFile(m_fd) < 0 && ret >= 0)
            ret = AVERROR(errno);
        m_fd = -1;
    }
    return ret;
}

int TemporaryFile::commit(const std::string &target)
{
    // The data on the disk first, then the name: a crash never leaves a
    // finished-looking file with missing data under the output's name.
    int ret = close();
    if (ret < 0)
        return ret;
    std::error_code ec;
    // Replaces an existing target in one step, on Windows too.
    std::filesystem::rename(utf8Path(m_path), utf8Path(target), ec);
    if (ec)
        return ec.category() == std::generic_category() || ec.category() == std::system_category()
                   ? AVERROR(ec.default_error_condition().value())
                   : AVERROR(EIO);
    m_path.clear();
    if (m_synced)
        syncFolderOf(target);
    return 0;
}

} // namespace tq
