#!/usr/bin/env bash
# Follows README "Deploying" step by step on this machine, against the private
# PostgreSQL server the tests start (scripts/pg-test-server.sh) in place of
# the data centre's: builds and installs the packages, creates the role and
# the database, the ODBC entry, /etc/tvx.ini (root:kelvaron 0640), the data
# tree, the tables and sitechan rows, converts as the service account through
# the unit's own command line, then removes and purges the packages and
# checks that no unit stays enabled. Leaves the machine as it found it:
# /etc/odbc.ini and /etc/tvx.ini are restored, the account is removed when
# this script made it. When either package is installed (or only configured)
# before it starts, it says so and does nothing: it never touches a real
# deployment. Needs root. Usage: bash scripts/deploy-test.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-${BUILD_DIR:-$root/build}}" && pwd)

say() { echo "deploy test: $*"; }
fail() { echo "deploy test: $*" >&2; exit 1; }

for package in kelvaron kelvaron-batch; do
  status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
  if [[ -n "$status" && "$status" != un* ]]; then
    say "skipped: $package is on this machine ($status), and this test would install and purge it"
    exit 0
  fi
done
if grep -qs '^\[TVX\]' /etc/odbc.ini; then
  say "skipped: /etc/odbc.ini already names a data source TVX, which this test would add"
  exit 0
fi

work=$(mktemp -d)
chmod 755 "$work"
account_existed=$(getent passwd kelvaron >/dev/null && echo yes || echo no)
group_existed=$(getent group kelvaron >/dev/null && echo yes || echo no)
installed=no
for f in /etc/odbc.ini /etc/tvx.ini; do
  [[ -e "$f" ]] && cp -a "$f" "$work/$(basename "$f").saved"
done

restore() {
  set +e
  cd /
  [[ $installed == yes ]] && dpkg --purge kelvaron kelvaron-batch >/dev/null 2>&1
  for f in /etc/odbc.ini /etc/tvx.ini; do
    if [[ -e "$work/$(basename "$f").saved" ]]; then
      cp -a "$work/$(basename "$f").saved" "$f"
    else
      rm -f "$f"
    fi
  done
  [[ $account_existed == no ]] && getent passwd kelvaron >/dev/null && deluser --system kelvaron >/dev/null 2>&1
  [[ $group_existed == no ]] && getent group kelvaron >/dev/null && delgroup --system kelvaron >/dev/null 2>&1
  bash "$root/scripts/pg-test-server.sh" stop "$work/pg" >/dev/null 2>&1
  rm -rf "$work"
}
trap restore EXIT

bash "$root/scripts/pg-test-server.sh" start "$work/pg" >/dev/null
pg_host=$(sed -n 's/^host=//p' "$work/pg/server.env")
pg_port=$(sed -n 's/^port=//p' "$work/pg/server.env")
# The server's local socket, where postgres logs in without a password, as
# on a database server's /var/run/postgresql.
pg_socket=$(cat "$work/pg/data-root")
password='tvx;pa{ss}'  # ";" and braces: the connection string must quote them

# Build the packages.
cmake --build "$build_dir"
(cd "$build_dir" && cpack -G DEB -B "$work/packages" >/dev/null)

# 1. Install.
export DEBIAN_FRONTEND=noninteractive
installed=yes
apt-get install -y --no-install-recommends "$work"/packages/kelvaron-batch_*.deb \
  "$work"/packages/kelvaron_*.deb >/dev/null \
  || { apt-get update >/dev/null && apt-get install -y --no-install-recommends \
         "$work"/packages/kelvaron-batch_*.deb "$work"/packages/kelvaron_*.deb >/dev/null; }
id kelvaron >/dev/null || fail "no account kelvaron"
[[ "$(stat -c %U:%G /var/lib/kelvaron)" == kelvaron:kelvaron ]] || fail "/var/lib/kelvaron not the account's"
[[ "$(getent passwd kelvaron | cut -d: -f6)" == /var/lib/kelvaron ]] || fail "kelvaron's home"
dpkg-query -W -f='${Conffiles}' kelvaron-batch | grep -q ' /etc/kelvaron/kelvaron.ini ' \
  || fail "/etc/kelvaron/kelvaron.ini is no conffile"
units=(kelvaron-batch.service kelvaron-batch.timer kelvaron-watch.service)
for unit in "${units[@]}"; do
  [[ -f /lib/systemd/system/$unit ]] || fail "$unit not installed"
done
[[ -z "$(find /etc/systemd/system -lname '*kelvaron*' 2>/dev/null)" ]] || fail "a unit is enabled on installation"
for unit in kelvaron-batch.service kelvaron-watch.service; do
  exposure=$(systemd-analyze security --offline=true --no-pager "/lib/systemd/system/$unit" \
    | sed -n 's/.*Overall exposure level for .*: \([0-9.]*\) .*/\1/p')
  awk -v e="$exposure" 'BEGIN { exit !(e != "" && e <= 4.0) }' || fail "$unit exposure $exposure"
  say "installed $unit, disabled, exposure $exposure"
done

# 2. Role and database (the password set by psql: createuser --pwprompt wants a terminal).
runuser -u postgres -- createuser -h "$pg_socket" -p "$pg_port" kelvaron
runuser -u postgres -- createdb -h "$pg_socket" -p "$pg_port" --owner kelvaron tvx
runuser -u postgres -- psql -X -q -h "$pg_socket" -p "$pg_port" -d postgres \
  -c "ALTER ROLE kelvaron PASSWORD '$password'"
PGPASSWORD=$password psql -X -q -h "$pg_host" -p "$pg_port" -U kelvaron -d tvx -c 'SELECT 1' >/dev/null

# 3. The ODBC entry, from the example with this server's host and port.
sed -e "s/^Servername .*/Servername  = $pg_host/" -e "s/^Port .*/Port        = $pg_port/" \
  /usr/share/doc/kelvaron-batch/examples/odbc.ini.postgresql >>/etc/odbc.ini
echo 'SELECT 1' | isql -b -k "DSN=TVX;UID=kelvaron;PWD={tvx;pa{ss}}};" >/dev/null \
  || fail "isql cannot reach the data source TVX"

# 4. The data tree, the account's.
data=$work/srv/tvx/data
install -d -o kelvaron -g kelvaron "$work/srv" "$work/srv/tvx" "$data"

# 5. /etc/tvx.ini, root:kelvaron 0640.
install -o root -g kelvaron -m 0640 /usr/share/doc/kelvaron-batch/examples/tvx.ini /etc/tvx.ini
set_key() {  # FILE KEY VALUE: the first KEY= line of FILE set to VALUE
  awk -v k="$2" -v v="$3" '!done && index($0, k "=") == 1 { print k "=" v; done = 1; next } { print }' \
    "$1" >"$work/edited" && cat "$work/edited" >"$1"
}
set_key /etc/tvx.ini ODBC TVX
set_key /etc/tvx.ini USER kelvaron
set_key /etc/tvx.ini PASSWORD "$password"
set_key /etc/tvx.ini DIR "$data"
[[ "$(stat -c '%U:%G %a' /etc/tvx.ini)" == "root:kelvaron 640" ]] || fail "/etc/tvx.ini mode"
cd "$work"
# The account outside the group must be told the file cannot be read, not that it is missing.
chgrp root /etc/tvx.ini
said=$(runuser -u kelvaron -- kelvaron-batch --config /etc/kelvaron/kelvaron.ini config 2>&1 >/dev/null || true)
grep -q "Не удаётся прочитать файл /etc/tvx.ini: нет доступа" <<<"$said" \
  || fail "an unreadable /etc/tvx.ini was reported as: $said"
chgrp kelvaron /etc/tvx.ini

# 6. The tables, as the service account.
runuser -u kelvaron -- kelvaron-batch --config /etc/kelvaron/kelvaron.ini catalogue init

# 7. sitechan rows.
PGPASSWORD=$password psql -X -q -h "$pg_host" -p "$pg_port" -U kelvaron -d tvx \
  -c "INSERT INTO sitechan (sta, chan, sps) VALUES ('KRV', 'BHZ', 20)"

# 8. The stations, in the conffile: the demo's recordings of KRV (made with a
# private SQLite catalogue of their own, which is left aside).
(
  export KELVARON_DEMO_DIR=$work/demo BUILD_DIR=$build_dir
  source "$root/scripts/demo-env.sh"
  set_up_demo >/dev/null
)
set_key /etc/kelvaron/kelvaron.ini NSTA 1
printf 'STA0=KRV\n[KRV]\nDIR=%s\n' "$work/demo/recordings/KRV" >>/etc/kelvaron/kelvaron.ini
runuser -u kelvaron -- kelvaron-batch --config /etc/kelvaron/kelvaron.ini config >"$work/config.txt"
grep -q "станция KRV: каталог записей $work/demo/recordings/KRV" "$work/config.txt" \
  || fail "config as the account: $(cat "$work/config.txt")"

# 9. A run as the service: the unit's own environment, directory and command line.
unit=/lib/systemd/system/kelvaron-batch.service
exec_start=$(sed -n 's/^ExecStart=//p' "$unit")
environment=$(sed -n 's/^Environment=//p' "$unit")
directory=$(sed -n 's/^WorkingDirectory=//p' "$unit")
read -r -a command <<<"$exec_start"
(cd "$directory" && runuser -u kelvaron -- env $environment "${command[@]}") \
  || fail "$exec_start failed as the service"
say "ran '$exec_start' as kelvaron in $directory"
# The same command line over the day of the demo's recordings.
window=()
for arg in "${command[@]}"; do
  case $arg in --since) window+=(--start "10:00:00 15/03/2024" --duration) ;; 2h) window+=(2h) ;; *) window+=("$arg") ;; esac
done
(cd "$directory" && runuser -u kelvaron -- env $environment "${window[@]}") || fail "the window run failed"
traces=$(find "$data" -type f | wc -l)
foreign=$(find "$data" ! -user kelvaron | wc -l)
rows=$(PGPASSWORD=$password psql -X -At -h "$pg_host" -p "$pg_port" -U kelvaron -d tvx \
  -c 'SELECT COUNT(*) FROM FILELIST')
[[ "$traces" -gt 0 && "$traces" == "$rows" && "$foreign" == 0 ]] \
  || fail "expected the account's trace files with a row each, got $traces files ($foreign not kelvaron's), $rows rows"
say "converted as kelvaron: $traces trace files, $rows FILELIST rows"

# The administrator enables the timer; removal must disable it again.
systemctl enable kelvaron-batch.timer >/dev/null 2>&1 || deb-systemd-helper enable kelvaron-batch.timer
[[ -n "$(find /etc/systemd/system -lname '*kelvaron-batch.timer*')" ]] || fail "the timer could not be enabled"
apt-get remove -y kelvaron kelvaron-batch >/dev/null
[[ -z "$(find /etc/systemd/system -lname '*kelvaron*')" ]] || fail "a unit stays enabled after removal"
[[ -f /etc/kelvaron/kelvaron.ini ]] || fail "removal took the conffile"
# kelvaron has no conffile and is gone already.
apt-get purge -y kelvaron-batch >/dev/null
installed=no
[[ -z "$(find /etc/systemd /lib/systemd/system -name '*kelvaron*' 2>/dev/null)" ]] || fail "a unit is left after purge"
[[ ! -e /etc/kelvaron ]] || fail "/etc/kelvaron left after purge"
[[ ! -e /var/lib/kelvaron ]] || fail "/var/lib/kelvaron left after purge"
id kelvaron >/dev/null || fail "purge removed the account, which may still own the data tree"
say "removed and purged: no unit enabled, no timer left, /etc/kelvaron and /var/lib/kelvaron gone;" \
  "the account kelvaron stays, as Debian leaves system accounts (removed again by this test)"
