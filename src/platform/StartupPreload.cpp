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
// Keeps the calling thread to the core the program is on, for as long as it lives; the cores it
// was allowed before (all of them, or those the program was started on) come back with it.
class KeptToCore
{
public:
    explicit KeptToCore(int core)
    {
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(core, &one);
        m_kept = core >= 0 && sched_getaffinity(0, sizeof m_allowed, &m_allowed) == 0 &&
                 sched_setaffinity(0, sizeof one, &one) == 0;
    }
    ~KeptToCore()
    {
        if (m_kept)
            sched_setaffinity(0, sizeof m_allowed, &m_allowed);
    }
    KeptToCore(const KeptToCore&) = delete;
    KeptToCore& operator=(const KeptToCore&) = delete;

private:
    cpu_set_t m_allowed{};
    bool m_kept = false;
};
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
        {
#ifdef __linux__
            const KeptToCore kept(core);
#endif
#ifdef KARTAK_HAVE_FONTCONFIG
            // The configuration that Qt's font database takes later is the one loaded here.
            FcInit();
#endif
            if (!madeFuture.get())
                return;
        }
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
