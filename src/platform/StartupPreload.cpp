// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StartupPreload.h"

#include "platform/FontConfiguration.h"

#include <QFontDatabase>
#ifdef KARTAK_HAVE_DBUS
#include <QDBusConnection>
#endif
#include <QThread>

#include <chrono>

#ifdef __linux__
#include <sched.h>
#include <sys/resource.h>
#endif

namespace {

#if defined(KARTAK_HAVE_FONTCONFIG) && defined(__linux__)
// The calling thread runs only when nothing else would, on whichever core is free (for good: a
// thread may not raise its priority again). A waking thread of normal priority takes the core
// back at once, which a thread at the lowest nice value would keep until its time slice ends.
void runInTheGaps()
{
    const sched_param idle{};
    if (sched_setscheduler(0, SCHED_IDLE, &idle) != 0)
        setpriority(PRIO_PROCESS, 0, 19);
}
#endif

// How long the fonts wait for the configuration at most: on a busy machine the idle class may get
// no time at all, and the font database then loads the configuration itself.
constexpr auto LongestWait = std::chrono::milliseconds(40);

} // namespace

StartupPreload::StartupPreload()
{
    // Qt takes the first thread that asks for its thread data as the program's main thread: ask
    // here, so that it is this one whatever the other thread does.
    QThread::currentThread();
#ifdef KARTAK_HAVE_FONTCONFIG
    // The configuration that Qt's font database takes later is the one loaded here.
    m_configuration = std::thread([this, loaded = std::move(m_configurationLoaded)]() mutable {
#ifdef __linux__
        runInTheGaps();
#endif
        FontConfiguration::load(m_configurationWanted);
        loaded.set_value();
    });
#else
    m_configurationLoaded.set_value();
#endif
}

StartupPreload::~StartupPreload()
{
    for (std::thread* thread : {&m_bus, &m_fonts, &m_configuration}) {
        if (thread->joinable())
            thread->join();
    }
}

void StartupPreload::finish()
{
#ifdef KARTAK_HAVE_DBUS
    // The first window's first text asks whether a screen reader listens, which connects to the
    // session bus and waits for the bus to answer: connected here on a thread of its own, the bus
    // answers while the fonts and the first window are made. Only to a bus the
    // session names: this starts none.
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        m_bus = std::thread([] { QDBusConnection::sessionBus(); });
#endif
    // The font database is safe to use from any thread; its first use reads the fonts, and the
    // first text laid out waits for that. The first window is made meanwhile.
    m_fonts = std::thread([loaded = m_configurationRead] {
        loaded.wait_for(LongestWait);
        QFontDatabase::families();
    });
    // The stand-in faces are looked up in the configuration. Past the longest wait fontconfig
    // loads its own at the first look-up, and that one stays.
    if (m_configurationRead.wait_for(LongestWait) != std::future_status::ready)
        m_configurationWanted = false;
}
