#!/usr/bin/env bash
# Installs what is missing, builds the program and exports the bundled
# example scene into out/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target korvo-export
./build/release/korvo-export export examples/simple.json -o out/simple.imd \
  --set output_ica=on --set output_iva=on --set output_ima=on --set output_itp=on --set output_ita=on --yes
echo "The exported files are in $(pwd)/out/"
