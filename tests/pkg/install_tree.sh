#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix for the tests of the installed files.
set -euo pipefail
build=$1
prefix=$2
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix"
