#!/usr/bin/env bash
# Builds Rankwise and starts the client on the embedded database
# (build/app/database/Gw_db.db, created on first use).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/build.sh"
exec "$root/build/app/rankwise" "$@"
