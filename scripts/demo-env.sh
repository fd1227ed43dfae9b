# Sourced by demo.sh and screenshot.sh: builds what the demo needs and sets up
# a demo in $demo (default build/demo): a private odbc.ini with DSN TVX on the
# SQLite driver, a catalogue made from catalog/schema/sqlite.sql with the
# channels of three stations, a day of recordings per station, tvx.ini and
# kelvaron.ini. Exports ODBCINI and TVX_INI. KELVARON_SCHEMA names another
# schema file (an installed one, for the package test).

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build}
demo=${KELVARON_DEMO_DIR:-$build_dir/demo}

build_demo_targets() {
  cmake -S "$root" -B "$build_dir" -G Ninja >/dev/null
  cmake --build "$build_dir" --target kelvaron kelvaron-batch kelvaron-demo-setup "$@"
}

set_up_demo() {
  rm -rf "$demo"
  mkdir -p "$demo/data" "$demo/recordings"

  # A write-ahead log with full sync: every committed row is as durable as
  # with the rollback journal, at one flush per commit instead of several.
  cat >"$demo/odbc.ini" <<INI
[TVX]
Driver=SQLite3
Database=$demo/catalogue.sqlite
Timeout=10000
JournalMode=WAL
SyncPragma=FULL
INI
  export ODBCINI="$demo/odbc.ini"

  cat >"$demo/tvx.ini" <<INI
[DATABASE]
ODBC=TVX
USER=TVX
PASSWORD=QZK
[DATA]
DIR=$demo/data
INI
  export TVX_INI="$demo/tvx.ini"

  cat >"$demo/kelvaron.ini" <<INI
[KELVARON]
NSTA=3
STA0=KRV
STA1=ARU
STA2=OBN
TIME=10:00:00 15/03/2024
TIMEQTY=000 02:00:00
[KRV]
DIR=$demo/recordings/KRV
[ARU]
DIR=$demo/recordings/ARU
[OBN]
DIR=$demo/recordings/OBN
USEGAIN=0
INI

  "$build_dir/app/kelvaron-demo-setup" "${KELVARON_SCHEMA:-$root/catalog/schema/sqlite.sql}" \
    "$demo/recordings"
}
