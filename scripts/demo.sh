#!/usr/bin/env bash
# The main job: installs what is needed, builds, sets up a demo (SQLite
# catalogue, three stations, a day of recordings) and starts kelvaron on it.
# Without a display it runs the demo's time window with kelvaron-batch instead.
set -euo pipefail
source "$(dirname "$0")/demo-env.sh"

bash "$root/scripts/install-deps.sh"
build_demo_targets
set_up_demo
echo "Demo set up in $demo: stations KRV, ARU, OBN; window 10:00:00 15/03/2024, 2 hours."

cd "$demo"
status=0
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  "$build_dir/app/kelvaron" || status=$?
else
  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running the demo's window with kelvaron-batch instead."
  "$build_dir/cli/kelvaron-batch" window || status=$?
fi

traces=$(find "$demo/data" -type f | wc -l)
echo
echo "Trace files ($traces): $demo/data"
echo "Catalogue (SQLite, DSN TVX in $demo/odbc.ini): $demo/catalogue.sqlite"
if command -v isql >/dev/null; then
  rows=$(echo "SELECT COUNT(*) FROM FILELIST" | isql -b -x0x09 TVX 2>/dev/null | tr -dc '0-9' || true)
  [[ -n "$rows" ]] && echo "FILELIST rows: $rows"
fi
echo "Settings: $demo/kelvaron.ini, $demo/tvx.ini"
exit "$status"
