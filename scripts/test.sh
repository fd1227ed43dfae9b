#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test (the PostgreSQL
# catalogue tests start a private server of their own), then builds the
# Debian packages, installs, uses and removes them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build_dir=$(cd "${BUILD_DIR:-build}" && pwd)
(cd "$build_dir" && ctest --output-on-failure --timeout 600)
bash scripts/package-test.sh "$build_dir"
