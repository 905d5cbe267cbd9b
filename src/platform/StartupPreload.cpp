// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StartupPreload.h"

#include "platform/Artwork.h"

#include <QFontDatabase>
#include <QThread>

#ifdef KARTAK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#ifdef __linux__
#include <sched.h>
#endif

namespace {

#ifdef __linux__
// Keeps the calling thread to one core, or lets it on to all of them (core -1).
void keepToCore(int core)
{
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (core < 0) {
        for (int i = 0; i < CPU_SETSIZE; ++i)
            CPU_SET(i, &cores);
    } else {
        CPU_SET(core, &cores);
    }
    sched_setaffinity(0, sizeof cores, &cores);
}
#endif

} // namespace

StartupPreload::StartupPreload()
{
    // Qt takes the first thread that asks for its thread data as the program's main thread: ask
    // here, so that it is this one whatever the other thread does.
    QThread::currentThread();
#ifdef __linux__
    const int core = sched_getcpu();
#endif
    m_fonts = std::thread([=, madeFuture = m_applicationMade.get_future()]() mutable {
#ifdef __linux__
        if (core >= 0)
            keepToCore(core);
#endif
#ifdef KARTAK_HAVE_FONTCONFIG
        // The configuration that Qt's font database takes later is the one loaded here.
        FcInit();
#endif
        if (!madeFuture.get())
            return;
#ifdef __linux__
        if (core >= 0)
            keepToCore(-1);
#endif
        // The font database is safe to use from any thread; its first use reads the fonts.
        QFontDatabase::families();
    });
}

StartupPreload::~StartupPreload()
{
    if (m_fonts.joinable()) {
        // The start-up stopped before the application was made.
        m_applicationMade.set_value(false);
        m_fonts.join();
    }
}

void StartupPreload::finish()
{
    if (!m_fonts.joinable())
        return;
    m_applicationMade.set_value(true);
    Artwork::decodeWindowPictures();
    m_fonts.join();
}
