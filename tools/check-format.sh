#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when clang-format (Debian's, as CI installs it) would change any C++ file of the project,
# or when a source, build or script file lacks its SPDX line. Prints every offending file;
# `clang-format -i FILE` fixes the first kind.
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/packages.sh
ensure_packages clang-format git

status=0
while IFS= read -r file; do
  if ! clang-format --dry-run --Werror "$file" > /dev/null 2>&1; then
    echo "clang-format would change: $file"
    status=1
  fi
done < <(git ls-files '*.cpp' '*.h')

# The licence line stands in the first lines of every file that can carry a comment.
while IFS= read -r file; do
  if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
    echo "no SPDX line: $file"
    status=1
  fi
done < <(git ls-files '*.cpp' '*.h' '*.sh' '*.py' '*.cmake' 'CMakeLists.txt' '*/CMakeLists.txt' \
  '.ci/*' '*.ui')

exit $status
