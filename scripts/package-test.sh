#!/usr/bin/env bash
# Builds the two Debian packages from a build directory, installs them on this
# machine with apt-get, checks the installed files and converts one recording
# with the installed kelvaron-batch and schema, then removes the packages.
# Needs root. Usage: bash scripts/package-test.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=$(cd "${1:-${BUILD_DIR:-$root/build}}" && pwd)
work=$(mktemp -d)
export KELVARON_DEMO_DIR=$work/demo

fail() { echo "package test: $*" >&2; exit 1; }

remove_packages() {
  apt-get remove -y --purge kelvaron kelvaron-batch >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap remove_packages EXIT

cmake --build "$BUILD_DIR" --target kelvaron kelvaron-batch kelvaron-demo-setup
(cd "$BUILD_DIR" && cpack -G DEB -B "$work/packages" >/dev/null)
batch_deb=$(ls "$work"/packages/kelvaron-batch_*.deb)
dialog_deb=$(ls "$work"/packages/kelvaron_*.deb)

# The server package must not pull in a GUI library; the dialog needs the batch package.
depends=$(dpkg-deb -f "$batch_deb" Depends)
echo "kelvaron-batch depends: $depends"
grep -qi 'qt' <<<"$depends" && fail "kelvaron-batch depends on Qt"
grep -q 'libodbc' <<<"$depends" || fail "kelvaron-batch lacks the ODBC driver manager"
grep -Eq 'odbc-postgresql|libsqliteodbc' <<<"$depends" || fail "kelvaron-batch lacks a catalogue driver"
dpkg-deb -f "$dialog_deb" Depends | grep -q 'kelvaron-batch (=' || fail "kelvaron does not depend on kelvaron-batch"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y --no-install-recommends "$batch_deb" "$dialog_deb" >/dev/null \
  || { apt-get update >/dev/null && apt-get install -y --no-install-recommends "$batch_deb" "$dialog_deb" >/dev/null; }

version=$(sed -n 's/^project(kelvaron VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[[ "$(/usr/bin/kelvaron-batch --version)" == "kelvaron-batch $version" ]] || fail "--version"
for f in /usr/bin/kelvaron /usr/share/kelvaron/schema/sqlite.sql /usr/share/kelvaron/schema/postgresql.sql \
         /usr/share/applications/kelvaron.desktop /usr/share/icons/hicolor/48x48/apps/kelvaron.png \
         /usr/share/doc/kelvaron/examples/tvx.ini /usr/share/doc/kelvaron/examples/kelvaron-batch.timer; do
  [[ -f "$f" ]] || fail "$f not installed"
done
desktop-file-validate /usr/share/applications/kelvaron.desktop || fail "desktop entry"
man -w kelvaron-batch >/dev/null && man -w kelvaron >/dev/null || fail "man pages not found"
ldd /usr/bin/kelvaron-batch | grep -qi qt && fail "kelvaron-batch links Qt"

# One recording through the installed program and schema.
KELVARON_SCHEMA=/usr/share/kelvaron/schema/sqlite.sql
export KELVARON_SCHEMA
source "$root/scripts/demo-env.sh"
set_up_demo
cd "$demo"
/usr/bin/kelvaron-batch files --quiet --stations KRV recordings/KRV/KRV_event.rec
traces=$(find data -type f | wc -l)
rows=$(echo "SELECT COUNT(*) FROM FILELIST" | isql -b -x0x09 TVX | tr -dc '0-9')
[[ "$traces" == 3 && "$rows" == 3 ]] || fail "expected 3 trace files and rows, got $traces and $rows"
echo "package test: both packages installed, kelvaron-batch $version converted one recording" \
  "into $traces trace files and rows"
