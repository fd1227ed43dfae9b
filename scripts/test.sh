#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test (the PostgreSQL
# catalogue tests start a private server of their own), then builds the
# Debian packages and checks them unpacked (scripts/package-test.sh), then
# follows README "Deploying" with them installed, unless kelvaron or
# kelvaron-batch is installed already (scripts/deploy-test.sh); then builds the
# suites with ASan and UBSan and runs them again (scripts/test-sanitized.sh).
# SANITIZE=0 leaves the sanitizer pass out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build_dir=$(cd "${BUILD_DIR:-build}" && pwd)
(cd "$build_dir" && ctest --output-on-failure --timeout 600)
bash scripts/package-test.sh "$build_dir"
bash scripts/deploy-test.sh "$build_dir"
if [[ "${SANITIZE:-1}" != 0 ]]; then
  bash scripts/test-sanitized.sh
fi
