#!/usr/bin/env bash
# Installs what is missing, builds, and starts TitraLab.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
if [ ! -x "$build/bin/titralab" ]; then
  # No window yet: show what the engine does and how fast.
  exec "$build/bin/titralab_bench" --benchmark_min_time=0.05
fi
exec "$build/bin/titralab" "$@"
