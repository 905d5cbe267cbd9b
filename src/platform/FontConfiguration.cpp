// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FontConfiguration.h"

#ifdef KARTAK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace FontConfiguration {

namespace {

#ifdef KARTAK_HAVE_FONTCONFIG
bool namesCacheFolder(FcConfig* config)
{
    FcStrList* folders = FcConfigGetCacheDirs(config);
    const bool named = folders && FcStrListNext(folders);
    if (folders)
        FcStrListDone(folders);
    return named;
}
#endif

} // namespace

_FcConfig* read()
{
#ifdef KARTAK_HAVE_FONTCONFIG
    FcConfig* config = FcConfigCreate();
    if (!config)
        return nullptr;
    // Without a cache folder fontconfig adds one of its own, with a warning: it does that.
    if (FcConfigParseAndLoad(config, nullptr, FcTrue) && namesCacheFolder(config) &&
        FcConfigBuildFonts(config))
        return config;
    FcConfigDestroy(config);
#endif
    return nullptr;
}

void load(const std::atomic<bool>& wanted)
{
#ifdef KARTAK_HAVE_FONTCONFIG
    if (FcConfig* config = read()) {
        const bool current = wanted && FcConfigSetCurrent(config);
        // The current configuration holds a reference of its own.
        FcConfigDestroy(config);
        if (current)
            return;
    }
    FcInit();
#else
    (void)wanted;
#endif
}

} // namespace FontConfiguration
