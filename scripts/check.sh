#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The checks beyond the tests: formatting, the tests under AddressSanitizer (leak checking on) and
# UndefinedBehaviorSanitizer, and a short run of the record fuzzer.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" "${WM_PACKAGES[@]}" clang clang-format \
    "$CLANG_RUNTIME_PACKAGE"
cd "$DYADORA_ROOT"

echo "== clang-format"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

echo "== tests under ASan + UBSan, with leak checking (the end-to-end ones too)"
build_preset asan
ctest --preset asan --parallel "$(nproc)"

echo "== record fuzzer, ${DYADORA_FUZZ_SECONDS:-20} s"
build_preset fuzz record_fuzzer
mkdir -p build/fuzz/corpus
build/fuzz/fuzz/record_fuzzer -max_total_time="${DYADORA_FUZZ_SECONDS:-20}" -print_final_stats=1 \
    -dict=fuzz/record.dict build/fuzz/corpus fuzz/corpus
