#!/usr/bin/env bash
# Installs what is missing, builds the program and exports the bundled
# example scene into out/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target korvo-export
./build/release/korvo-export export examples/simple.json -o out/simple.imd --yes
echo "The exported files are in $(pwd)/out/"
