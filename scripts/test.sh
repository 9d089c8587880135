#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then runs the Qt-free core's tests
# again built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
cd "${BUILD_DIR:-$here/build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"

if [ "${TITRALAB_SKIP_SANITIZED:-0}" != 1 ]; then
  echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
  BUILD_DIR="${SANITIZED_BUILD_DIR:-$here/build-sanitize}" "$here/scripts/build.sh" \
    -DTITRALAB_WITH_QT=OFF -DTITRALAB_SANITIZE=ON -DTITRALAB_BENCH=OFF
  cd "${SANITIZED_BUILD_DIR:-$here/build-sanitize}"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure -j "$(nproc)"
fi
