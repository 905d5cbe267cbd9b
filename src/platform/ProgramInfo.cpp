// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramInfo.h"

QString VersionText;
