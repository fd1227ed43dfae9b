#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test (the PostgreSQL
# catalogue tests start a private server of their own).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cd "${BUILD_DIR:-build}"
ctest --output-on-failure --timeout 600
