#!/usr/bin/env bash
# A library exports exactly its contract: compare `nm -D` with the list.
set -euo pipefail
library=$1 expected=$2
actual=$(nm -D --defined-only "$library" | awk '{print $3}' | sort)
if ! diff <(sort "$expected") <(printf '%s\n' "$actual"); then
  echo "exports of $library differ from $expected (< expected, > actual)"
  exit 1
fi
