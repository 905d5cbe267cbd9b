// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>

// Fontconfig's configuration type, named as fontconfig names it so that this header needs none
// of its headers.
struct _FcConfig;

// The system's font configuration, where fontconfig keeps it (Linux and the BSDs).
//
// Fontconfig's own first load reads the configuration files in use and then, for the one tool
// that lists them, the description of every configuration file the system merely offers: here
// more than half of its work, and none of it changes how a font is found. The configuration is
// read here as fontconfig reads it, without that second part.
namespace FontConfiguration {

// A new configuration read from the files in use (FONTCONFIG_FILE, or fonts.conf and all it
// includes), with its fonts; null where fontconfig would read it differently (no cache folder
// named) or it cannot be read. The caller owns it. Null where fonts do not come from fontconfig.
_FcConfig* read();

// Makes the configuration read() reads the one every later font lookup uses, or lets fontconfig
// load its own where read() has none. Safe on any thread. Once `wanted` turns false (the program
// stopped waiting and let fontconfig load its own), a configuration read later is dropped rather
// than put in place of the one the fonts may already come from.
void load(const std::atomic<bool>& wanted);

} // namespace FontConfiguration
