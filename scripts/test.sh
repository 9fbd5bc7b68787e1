#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game, its tests and benchmarks (installing what they need) and runs every test.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "${TEST_PACKAGES[@]}"
build_preset release
ctest --preset release --parallel "$(nproc)"
