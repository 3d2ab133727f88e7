#!/usr/bin/env bash
# Installs what is missing, then builds every test under the address and
# undefined-behaviour sanitizers and runs it. Warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
