// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <thread>

// The two largest steps before the first window can be built need no display: reading the
// system's font configuration and decoding the pictures. Started before the application
// connects to the display, they run on another core meanwhile. wait() must come before the first
// window is made, so that the layouts never read the configuration a second time. On platforms
// whose fonts need no configuration read (Windows, macOS), only the pictures are decoded.
class StartupPreload
{
public:
    StartupPreload();
    ~StartupPreload();
    StartupPreload(const StartupPreload&) = delete;
    StartupPreload& operator=(const StartupPreload&) = delete;

    // Waits for both and hands the pictures on to the windows.
    void wait();

private:
    std::thread m_thread;
    QHash<QString, QImage> m_decoded;
};
