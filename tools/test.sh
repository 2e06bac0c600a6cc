#!/usr/bin/env bash
# Builds Rankwise and runs every test headless; exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/build.sh"
cd "$root/build"
ctest --output-on-failure -j "$(nproc)"
