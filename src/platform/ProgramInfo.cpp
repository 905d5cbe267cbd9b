#include "ProgramInfo.h"

QString VersionText;
