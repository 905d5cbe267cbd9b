// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <future>
#include <thread>

// The two largest steps before the first window can be built need no display: reading the
// system's font configuration and decoding the pictures. Started before the application
// connects to the display, they run on another core meanwhile, the pictures after the
// configuration; each window takes its pictures as they are done. waitForFonts() must come
// before the first window is made, so that the layouts never read the configuration a second
// time. On platforms whose fonts need no configuration read (Windows, macOS), only the pictures
// are decoded.
class StartupPreload
{
public:
    StartupPreload();
    ~StartupPreload();
    StartupPreload(const StartupPreload&) = delete;
    StartupPreload& operator=(const StartupPreload&) = delete;

    void waitForFonts();
    // Once every window is made: the pictures none of them took are dropped.
    void finish();

private:
    std::promise<void> m_fontsRead;
    std::shared_future<void> m_fontsReady = m_fontsRead.get_future().share();
    QStringList m_pictures;
    std::thread m_thread;
};
