#!/usr/bin/env bash
# Renders the dialog offscreen on the demo (one station's channels listed)
# into docs/kelvaron-dialog.png, the README's picture. Extra arguments go to
# kelvaron-screenshot after the output file (e.g. --run). With --viewer FILE
# the demo's window is converted first (kelvaron-batch), so that the viewer's
# timeline shows converted recordings beside unconverted ones (KRV_1300.rec
# with one channel only). KELVARON_CROWDED=1 adds a hundred overlapping
# recordings an hour to station OBN.
#   bash scripts/screenshot.sh [OUT.png] [--station NAME] [--run] [--viewer FILE]
set -euo pipefail
source "$(dirname "$0")/demo-env.sh"
out=$(realpath -m "${1:-$root/docs/kelvaron-dialog.png}")
shift || true
args=("$@")
((${#args[@]})) || args=(--station KRV)

build_demo_targets kelvaron-screenshot
set_up_demo
mkdir -p "$(dirname "$out")"
cd "$demo"
if [[ " ${args[*]} " == *" --viewer "* ]]; then
  "$build_dir/cli/kelvaron-batch" window --quiet KRV >/dev/null
  # One recording with only its vertical channel: partly converted.
  "$build_dir/cli/kelvaron-batch" files --quiet --stations KRV --channels BHZ \
    "$demo/recordings/KRV/KRV_1300.rec" >/dev/null
fi
if [[ -n "${KELVARON_CROWDED:-}" ]]; then
  # A hundred overlapping recordings an hour at station OBN.
  "$build_dir/app/kelvaron-demo-setup" --crowded "$demo/recordings/OBN" OBN
fi
QT_QPA_PLATFORM=offscreen "$build_dir/app/kelvaron-screenshot" "$out" "${args[@]}"
echo "Screenshot: $out"
