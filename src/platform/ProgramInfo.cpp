// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramInfo.h"

QString VersionText;
