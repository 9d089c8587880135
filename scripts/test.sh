#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then runs the Qt-free core's tests
# again built with AddressSanitizer and UndefinedBehaviorSanitizer, and builds the fuzz targets
# with clang, each run for a few seconds on its seed corpus so that they cannot rot.
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

if [ "${TITRALAB_SKIP_FUZZ:-0}" != 1 ]; then
  echo "== Fuzz targets (clang, libFuzzer): built, then a few seconds each on their corpus =="
  fuzz_build="${FUZZ_BUILD_DIR:-$here/build-fuzz}"
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CCACHE_BASEDIR="$here" cmake -S "$here" -B "$fuzz_build" -G Ninja "${launcher[@]}" \
    -DCMAKE_CXX_COMPILER=clang++ -DTITRALAB_FUZZ=ON -DTITRALAB_WITH_QT=OFF \
    -DTITRALAB_TESTS=OFF -DTITRALAB_BENCH=OFF >/dev/null
  targets=(fuzz_numbers fuzz_pairs fuzz_frame fuzz_rtf fuzz_study)
  CCACHE_BASEDIR="$here" cmake --build "$fuzz_build" -j "$(nproc)" --target "${targets[@]}"
  for target in "${targets[@]}"; do
    found=$(mktemp -d)
    extra=()
    [ "$target" = fuzz_rtf ] && extra=(-dict="$here/fuzz/rtf.dict")
    status=0
    "$fuzz_build/bin/$target" "${extra[@]}" -max_total_time="${TITRALAB_FUZZ_SECONDS:-5}" \
      -timeout=10 "$found" "$here/fuzz/corpus/${target#fuzz_}" >"$found.log" 2>&1 || status=$?
    grep -E '^Done' "$found.log" | sed "s/^/$target: /" || true
    if [ "$status" -ne 0 ]; then
      tail -n 60 "$found.log"
      echo "$target failed (status $status)"
      exit 1
    fi
    rm -rf "$found" "$found.log"
  done
fi
