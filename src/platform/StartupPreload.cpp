// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StartupPreload.h"

#include "platform/Artwork.h"

#include <QThread>

#ifdef KARTAK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

StartupPreload::StartupPreload() : m_pictures(Artwork::startDecodingAhead())
{
    // Qt takes the first thread that asks for its thread data as the program's main thread. Ask
    // here, before the helper starts: a helper that opened its first picture before the
    // application existed would otherwise become it, and the application would be made in the
    // wrong thread (seen now and then with Qt 6.8).
    QThread::currentThread();
    // One thread for both: the start-up itself keeps a core of its own.
    m_thread = std::thread([this] {
#ifdef KARTAK_HAVE_FONTCONFIG
        // The configuration that Qt's font database takes later is the one loaded here.
        FcInit();
#endif
        m_fontsRead.set_value();
        Artwork::decodeAhead(m_pictures);
    });
}

StartupPreload::~StartupPreload()
{
    finish();
}

void StartupPreload::waitForFonts()
{
    m_fontsReady.wait();
}

void StartupPreload::finish()
{
    if (m_thread.joinable()) {
        m_thread.join();
        Artwork::endDecodingAhead();
    }
}
