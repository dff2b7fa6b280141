#pragma once

#include "transport.h"

#include <memory>
#include <string>

// Wraps a transport and fails one chosen step: a single failure (a write
// then leaves half its bytes behind), or the phone vanishing there, after
// which every step fails. Steps are counted from 0 over every call but
// notify() and unlock().
class FaultTransport final : public tqbridge::Transport
{
public:
    enum class Mode { Once, Vanish };

    FaultTransport(std::unique_ptr<tqbridge::Transport> inner, int failAt, Mode mode)
        : inner(std::move(inner))
        , failAt(failAt)
        , mode(mode)
    {
    }

    int steps() const { return step; }

    int read(const std::string &path, std::string &data) override
    {
        return fault() ? tqbridge::ErrIo : inner->read(path, data);
    }
    int write(const std::string &path, std::string_view data) override
    {
        if (fault()) {
            if (mode == Mode::Once)
                inner->write(path, data.substr(0, data.size() / 2));
            return tqbridge::ErrNoSpace;
        }
        return inner->write(path, data);
    }
    int rename(const std::string &from, const std::string &to) override
    {
        return fault() ? tqbridge::ErrIo : inner->rename(from, to);
    }
    int remove(const std::string &path) override
    {
        return fault() ? tqbridge::ErrIo : inner->remove(path);
    }
    int list(const std::string &folder, std::vector<std::string> &names) override
    {
        return fault() ? tqbridge::ErrIo : inner->list(folder, names);
    }
    int makeFolder(const std::string &path) override
    {
        return fault() ? tqbridge::ErrIo : inner->makeFolder(path);
    }
    int lock(const std::string &path) override
    {
        return fault() ? tqbridge::ErrIo : inner->lock(path);
    }
    void unlock() override { inner->unlock(); }
    void notify(const char *name) override
    {
        if (!gone)
            inner->notify(name);
    }

private:
    bool fault()
    {
        const int current = step++;
        if (gone)
            return true;
        if (current != failAt)
            return false;
        gone = mode == Mode::Vanish;
        return true;
    }

    std::unique_ptr<tqbridge::Transport> inner;
    int failAt;
    Mode mode;
    int step = 0;
    bool gone = false;
};
