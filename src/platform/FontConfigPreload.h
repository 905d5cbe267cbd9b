// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <thread>

// Reading the system's font configuration is the largest single step before the first window
// can be laid out. Started before the application connects to the display, it runs on another
// core meanwhile; wait() must come before the first text is measured, so that the layouts never
// read the configuration a second time. Where the platform has no such configuration to read
// (Windows, macOS), it does nothing.
class FontConfigPreload
{
public:
    FontConfigPreload();
    ~FontConfigPreload();
    FontConfigPreload(const FontConfigPreload&) = delete;
    FontConfigPreload& operator=(const FontConfigPreload&) = delete;

    void wait();

private:
    std::thread m_thread;
};
