// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontConfigPreload.h"

#ifdef KARTAK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigPreload::FontConfigPreload()
{
#ifdef KARTAK_HAVE_FONTCONFIG
    // The configuration that Qt's font database takes later is the one loaded here.
    m_thread = std::thread([] { FcInit(); });
#endif
}

FontConfigPreload::~FontConfigPreload()
{
    wait();
}

void FontConfigPreload::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
