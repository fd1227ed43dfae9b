#!/usr/bin/env bash
# Builds the two Debian packages from a build directory and checks them
# without installing them: lintian (an error or a warning fails), their
# dependencies, files and control scripts, the systemd units' sandbox
# (systemd-analyze security, at most 4.0 each), the programs' --version and
# --help without a display, and one recording converted with kelvaron-batch
# and the schema as unpacked into a private root. Never touches the packages
# installed on this machine (scripts/deploy-test.sh installs them, when they
# are not). Usage: bash scripts/package-test.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=$(cd "${1:-${BUILD_DIR:-$root/build}}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KELVARON_DEMO_DIR=$work/demo
packages=$work/packages
unpacked=$work/root

fail() { echo "package test: $*" >&2; exit 1; }

cmake --build "$BUILD_DIR"
(cd "$BUILD_DIR" && cpack -G DEB -B "$packages" >/dev/null)
batch_deb=$(ls "$packages"/kelvaron-batch_*.deb)
dialog_deb=$(ls "$packages"/kelvaron_*.deb)

# lintian as Debian's archive would run it; both packages must be clean.
lintian_out=$(lintian --tag-display-limit 0 "$batch_deb" "$dialog_deb" 2>&1 || true)
[[ -z "$lintian_out" ]] || echo "$lintian_out"
grep -q '^[EW]: ' <<<"$lintian_out" && fail "lintian reports errors or warnings"
echo "package test: lintian reports no error and no warning"

# The server package must not pull in a GUI library; the dialog needs the batch package.
depends=$(dpkg-deb -f "$batch_deb" Depends)
echo "kelvaron-batch depends: $depends"
grep -qi 'qt' <<<"$depends" && fail "kelvaron-batch depends on Qt"
grep -q 'libodbc' <<<"$depends" || fail "kelvaron-batch lacks the ODBC driver manager"
grep -Eq 'odbc-postgresql|libsqliteodbc' <<<"$depends" || fail "kelvaron-batch lacks a catalogue driver"
grep -q 'adduser' <<<"$depends" || fail "kelvaron-batch lacks adduser for its account"
dpkg-deb -f "$dialog_deb" Depends | grep -q 'kelvaron-batch (=' || fail "kelvaron does not depend on kelvaron-batch"
[[ "$(dpkg-deb -f "$batch_deb" Description | head -1)" != "$(dpkg-deb -f "$dialog_deb" Description | head -1)" ]] \
  || fail "both packages have the same short description"

# The control scripts keep the account and the units; the settings are a conffile.
dpkg-deb -e "$batch_deb" "$work/control"
grep -qx '/etc/kelvaron/kelvaron.ini' "$work/control/conffiles" || fail "/etc/kelvaron/kelvaron.ini is no conffile"
for script in postinst prerm postrm; do
  [[ -x "$work/control/$script" ]] || fail "kelvaron-batch has no $script"
  sh -n "$work/control/$script" || fail "$script is no valid shell script"
done

dpkg-deb -x "$batch_deb" "$unpacked"
dpkg-deb -x "$dialog_deb" "$unpacked"
version=$(sed -n 's/^project(kelvaron VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
units=(kelvaron-batch.service kelvaron-batch.timer kelvaron-watch.service)
for f in usr/bin/kelvaron usr/bin/kelvaron-batch usr/bin/kelvaron-plot \
         usr/share/kelvaron/schema/sqlite.sql usr/share/kelvaron/schema/postgresql.sql \
         usr/share/applications/kelvaron.desktop usr/share/icons/hicolor/48x48/apps/kelvaron.png \
         usr/share/doc/kelvaron-batch/examples/tvx.ini usr/share/doc/kelvaron-batch/copyright \
         usr/share/doc/kelvaron-batch/changelog.gz usr/share/doc/kelvaron/copyright \
         usr/share/doc/kelvaron/changelog.gz etc/kelvaron/kelvaron.ini \
         "${units[@]/#/lib/systemd/system/}"; do
  [[ -f "$unpacked/$f" ]] || fail "/$f not in the packages"
done
dpkg-deb -c "$batch_deb" | grep -q '/usr/share/doc/kelvaron/' && fail "kelvaron-batch's documents under kelvaron's name"
desktop-file-validate "$unpacked/usr/share/applications/kelvaron.desktop" || fail "desktop entry"
for page in kelvaron kelvaron-batch kelvaron-plot; do
  man -l "$unpacked/usr/share/man/man1/$page.1.gz" >/dev/null || fail "man page of $page"
done
ldd "$unpacked/usr/bin/kelvaron-batch" | grep -qi qt && fail "kelvaron-batch links Qt"

# Every unit sandboxed to at most 4.0 ("OK") by systemd's own measure.
for unit in kelvaron-batch.service kelvaron-watch.service; do
  exposure=$(systemd-analyze security --offline=true --no-pager \
    "$unpacked/lib/systemd/system/$unit" | sed -n 's/.*Overall exposure level for .*: \([0-9.]*\) .*/\1/p')
  echo "package test: systemd-analyze security $unit: $exposure"
  [[ -n "$exposure" ]] && awk -v e="$exposure" 'BEGIN { exit !(e <= 4.0) }' \
    || fail "$unit exposure $exposure above 4.0"
done

# --version and --help of every program, without a display, exit 0.
for program in kelvaron kelvaron-batch kelvaron-plot; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$unpacked/usr/bin/$program" --version) \
    || fail "$program --version exits non-zero"
  [[ "$out" == "$program $version" ]] || fail "$program --version says '$out'"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM KELVARON_LANG=en \
    "$unpacked/usr/bin/$program" -h | grep -qi "usage" || fail "$program -h"
done

# One recording through the unpacked program and schema.
export KELVARON_SCHEMA=$unpacked/usr/share/kelvaron/schema/sqlite.sql
source "$root/scripts/demo-env.sh"
set_up_demo
cd "$demo"
"$unpacked/usr/bin/kelvaron-batch" files --quiet --stations KRV recordings/KRV/KRV_event.rec
traces=$(find data -type f | wc -l)
rows=$(echo "SELECT COUNT(*) FROM FILELIST" | isql -b -x0x09 TVX | tr -dc '0-9')
[[ "$traces" == 3 && "$rows" == 3 ]] || fail "expected 3 trace files and rows, got $traces and $rows"
echo "package test: both packages checked unpacked, kelvaron-batch $version converted one" \
  "recording into $traces trace files and rows"
