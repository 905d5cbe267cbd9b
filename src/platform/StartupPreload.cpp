// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupPreload.h"

#include "Artwork.h"

#ifdef KARTAK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

StartupPreload::StartupPreload()
{
#ifdef KARTAK_HAVE_FONTCONFIG
    // The configuration that Qt's font database takes later is the one loaded here.
    m_fonts = std::thread([] { FcInit(); });
#endif
    m_pictures = std::thread([this] { m_decoded = Artwork::decodeAhead(); });
}

StartupPreload::~StartupPreload()
{
    if (m_fonts.joinable())
        m_fonts.join();
    if (m_pictures.joinable())
        m_pictures.join();
}

void StartupPreload::wait()
{
    if (m_fonts.joinable())
        m_fonts.join();
    if (m_pictures.joinable()) {
        m_pictures.join();
        Artwork::keepDecoded(std::move(m_decoded));
    }
}
