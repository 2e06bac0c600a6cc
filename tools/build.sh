#!/usr/bin/env bash
# Installs what is missing, then configures (once) and builds the tree in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup-deps.sh"
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
[[ "${CI:-}" == "true" ]] && options+=(-DRW_WERROR=ON)
if [[ ! -f "$root/build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$root/build" "${options[@]}"
fi
cmake --build "$root/build" -j "$(nproc)"
