// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <future>
#include <thread>

// Before the first window can be built, the system's fonts must be read and the pictures
// decoded: the two largest steps of the start-up, and neither needs the other.
//
// Made before the application, this starts a thread that reads the font configuration (on Linux
// and the BSDs, where that is a step of its own and needs no display) while the application
// connects to the display. That thread keeps to the core the program started on, so it runs in
// the gaps while the application waits for the display server and the session bus, and leaves
// the other cores to them: on a machine with few cores, a thread busy beside the connection
// slows it down by about as much as it gains. finish(), once the application exists, lets the
// thread on to any core to fill Qt's font database, decodes the pictures meanwhile, and then
// waits for the fonts.
class StartupPreload
{
public:
    StartupPreload();
    ~StartupPreload();
    StartupPreload(const StartupPreload&) = delete;
    StartupPreload& operator=(const StartupPreload&) = delete;

    void finish();

private:
    // Whether the application was made: a thread let go without one leaves the fonts alone.
    std::promise<bool> m_applicationMade;
    std::thread m_fonts;
};
