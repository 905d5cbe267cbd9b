// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFunctionPointer>

// The parts of the program that need large libraries only some runs use (the sound output, the
// printing) are built on Linux as modules of their own and loaded when first needed, so the
// start-up does not wait for those libraries.
namespace ProgramModule {

// The function named symbol in the module fileName, from the program's folder (the build tree)
// or from ../lib/kartak2/modules beside it (an install); null when neither holds the module.
QFunctionPointer resolve(const char* fileName, const char* symbol);

} // namespace ProgramModule
