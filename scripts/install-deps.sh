#!/usr/bin/env bash
# Installs every Debian package that building, packaging, testing and the
# demo need (the first line is what a build of the packages alone needs).
set -euo pipefail
packages=(
  build-essential cmake dpkg-dev file qt6-base-dev libgl-dev qt6-l10n-tools unixodbc-dev
  libgtest-dev libgmock-dev
  ninja-build pkg-config clang clang-format libclang-rt-14-dev
  man-db desktop-file-utils lintian systemd adduser
  qt6-translations-l10n
  unixodbc libsqliteodbc odbc-postgresql postgresql
  xvfb xauth
  locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The operator's locale writes numbers with a decimal comma; the tests check
# that files and SQL keep the decimal point under it.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf8$'; then
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
