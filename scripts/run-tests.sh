#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in the
# normal debug build and under the address and undefined-behaviour
# sanitizers. Warnings are errors in both.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
for preset in dev asan; do
  echo "=== $preset ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
