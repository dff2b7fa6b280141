#include "transport.h"
#include "utf8path.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tqbridge {

int resultFromErrno(int error)
{
    switch (error) {
    case 0:
        return Ok;
    case ENOENT:
    case ENOTDIR:
        return ErrNotFound;
    case ENOSPC:
#ifdef EDQUOT // not in Windows' C library
    case EDQUOT:
#endif
        return ErrNoSpace;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrPermission;
    case EWOULDBLOCK:
        return ErrBusy;
    default:
        return ErrIo;
    }
}

namespace {

int fromErrno(int error)
{
    return resultFromErrno(error);
}

int fromError(const std::error_code &error)
{
    return error ? fromErrno(error.value()) : Ok;
}

class FolderTransport final : public Transport
{
public:
    explicit FolderTransport(std::string root)
        : root(pathFromUtf8(root))
    {
    }
    ~FolderTransport() override { unlock(); }

    int read(const std::string &path, std::string &data) override
    {
        data.clear();
        if (!present())
            return ErrNoPhone;
        std::FILE *file = open(path, "rb");
        if (!file)
            return fromErrno(errno);
        char buffer[65536];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            data.append(buffer, got);
        const bool failed = std::ferror(file);
        std::fclose(file);
        return failed ? ErrIo : Ok;
    }

    int write(const std::string &path, std::string_view data) override
    {
        if (!present())
            return ErrNoPhone;
        std::FILE *file = open(path, "wb");
        if (!file)
            return fromErrno(errno);
        const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
        const int error = errno;
        if (std::fclose(file) != 0 || !written)
            return written ? fromErrno(errno) : fromErrno(error);
        return Ok;
    }

    int rename(const std::string &from, const std::string &to) override
    {
        if (!present())
            return ErrNoPhone;
        std::error_code error;
        fs::rename(local(from), local(to), error);
        return fromError(error);
    }

    int remove(const std::string &path) override
    {
        if (!present())
            return ErrNoPhone;
        std::error_code error;
        if (!fs::remove(local(path), error) && !error)
            return ErrNotFound;
        return fromError(error);
    }

    int list(const std::string &folder, std::vector<std::string> &names) override
    {
        names.clear();
        if (!present())
            return ErrNoPhone;
        std::error_code error;
        fs::directory_iterator it(local(folder), error);
        for (; !error && it != fs::directory_iterator(); it.increment(error))
            names.push_back(utf8FromPath(it->path().filename()));
        return fromError(error);
    }

    int makeFolder(const std::string &path) override
    {
        // Never the root itself: that would bring a phone that left back.
        if (!present())
            return ErrNoPhone;
        std::error_code error;
        fs::create_directories(local(path), error);
        return fromError(error);
    }

    int lock(const std::string &path) override
    {
#ifndef _WIN32
        if (lockFd >= 0)
            return ErrBusy;
        if (!present())
            return ErrNoPhone;
        const int fd = ::open(local(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return fromErrno(errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return fromErrno(error);
        }
        lockFd = fd;
#else
        // As flock() elsewhere: a lock on the open file, which any other
        // opening (another program, or another transport here) finds taken.
        if (lockHandle != INVALID_HANDLE_VALUE)
            return ErrBusy;
        if (!present())
            return ErrNoPhone;
        HANDLE file = CreateFileW(local(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError() == ERROR_ACCESS_DENIED ? ErrPermission : ErrIo;
        OVERLAPPED whole{};
        if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
            CloseHandle(file);
            return ErrBusy;
        }
        lockHandle = file;
#endif
        return Ok;
    }

    void unlock() override
    {
#ifndef _WIN32
        if (lockFd >= 0) {
            ::flock(lockFd, LOCK_UN);
            ::close(lockFd);
            lockFd = -1;
        }
#else
        if (lockHandle != INVALID_HANDLE_VALUE) {
            OVERLAPPED whole{};
            UnlockFileEx(lockHandle, 0, 1, 0, &whole);
            CloseHandle(lockHandle);
            lockHandle = INVALID_HANDLE_VALUE;
        }
#endif
    }

    void notify(const char *name) override
    {
        fs::path log = root;
        log += ".sync-log";
        // Binary: one '\n' a line on every system, as the phone writes it.
        std::ofstream(log, std::ios::app | std::ios::binary) << name << '\n';
    }

private:
    // The folder is the phone: without it, the phone has left, and a file
    // that is missing means no more than that.
    bool present() const
    {
        std::error_code error;
        return fs::is_directory(root, error);
    }

    fs::path local(const std::string &phonePath) const
    {
        // Phone paths are absolute; the folder stands for "/".
        return root / pathFromUtf8(phonePath).relative_path();
    }

    std::FILE *open(const std::string &path, const char *mode) const
    {
#ifdef _WIN32
        return _wfopen(local(path).c_str(), mode[0] == 'r' ? L"rb" : L"wb");
#else
        return std::fopen(local(path).c_str(), mode);
#endif
    }

    fs::path root;
#ifdef _WIN32
    HANDLE lockHandle = INVALID_HANDLE_VALUE;
#else
    int lockFd = -1;
#endif
};

} // namespace

std::unique_ptr<Transport> makeFolderTransport(const std::string &root)
{
    return std::make_unique<FolderTransport>(root);
}

} // namespace tqbridge
