#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes every data file again and checks the result.
set -e
here=$(dirname "$0")
/usr/bin/python3 "$here/make_texts.py"
/usr/bin/python3 "$here/make_sounds.py"
/usr/bin/python3 "$here/make_pictures.py"
/usr/bin/python3 "$here/check_art.py"
