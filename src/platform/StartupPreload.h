// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <future>
#include <thread>

// Before the first window can be built, the system's fonts must be read: the largest step of the
// start-up after the connection to the display, and one that does not need it. (The pictures
// were decoded when the program was built.)
//
// Made before the application, this starts a thread that reads the font configuration (on Linux
// and the BSDs, where that is a step of its own and needs no display) while the application
// connects to the display. That thread runs in the idle scheduling class, on whichever core is
// free: it runs in the gaps while the application waits for the display server and gives its
// core back as soon as the application wakes.
//
// finish(), once the application exists, connects to the session bus on a thread of its own (see
// finish()), starts filling Qt's font database on a thread of normal priority as soon as the
// configuration is loaded, and waits for the configuration (in which the stand-in faces are
// looked up), not for the fonts: the first window is made while they are read, and the first
// text laid out waits for them in Qt's font database. Should the configuration take too long (a
// busy machine gives the idle class next to no time), the font database loads it itself.
class StartupPreload
{
public:
    StartupPreload();
    ~StartupPreload();
    StartupPreload(const StartupPreload&) = delete;
    StartupPreload& operator=(const StartupPreload&) = delete;

    void finish();

private:
    std::promise<void> m_configurationLoaded;
    std::shared_future<void> m_configurationRead = m_configurationLoaded.get_future().share();
    std::atomic<bool> m_configurationWanted = true;
    std::thread m_configuration;
    std::thread m_fonts;
    std::thread m_bus;
};
