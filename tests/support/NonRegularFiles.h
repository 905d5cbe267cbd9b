// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Named pipes and other files that are not regular files, for the tests that make sure the
// program never waits on one. Unix only: elsewhere the tests that need them are skipped.

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

inline bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

// A socket file at `path`, kept open as long as the object lives.
class SocketFile
{
public:
    explicit SocketFile(const QString& path)
    {
        const QByteArray name = QFile::encodeName(path);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (size_t(name.size()) >= sizeof(address.sun_path))
            return;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (m_fd >= 0 && ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~SocketFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SocketFile(const SocketFile&) = delete;
    SocketFile& operator=(const SocketFile&) = delete;

    bool isValid() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Guards a step that must not wait on a named pipe. Should the step still run after the
// timeout, the watchdog opens the pipe's both ends, closes its writing end at once and drains the
// reading end, so whoever is stuck opening, reading or writing the pipe goes on, and the test
// fails on fired() instead of hanging.
class FifoWatchdog
{
public:
    explicit FifoWatchdog(const QString& fifo,
                          std::chrono::milliseconds timeout = std::chrono::seconds(5))
        : m_path(QFile::encodeName(fifo))
    {
        std::signal(SIGPIPE, SIG_IGN);
        m_thread = std::thread([this, timeout] { watch(timeout); });
    }
    ~FifoWatchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

    bool fired() const { return m_fired; }

private:
    void watch(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, timeout, [this] { return m_done; }))
            return;
        m_fired = true;
        const int reader = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        const int writer = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
        char buffer[4096];
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(10), [this] { return m_done; })) {
            if (reader >= 0)
                while (::read(reader, buffer, sizeof buffer) > 0) {
                }
        }
        if (reader >= 0)
            ::close(reader);
    }

    QByteArray m_path;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::atomic<bool> m_fired = false;
    std::thread m_thread;
};

#endif
