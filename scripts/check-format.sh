#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 2; }
bad=()
while IFS= read -r f; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(git ls-files '*.cpp' '*.h')
if ((${#bad[@]})); then
  printf 'not formatted: %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "format: all $(git ls-files '*.cpp' '*.h' | wc -l) files clean"
