#!/usr/bin/env bash
# Exports the bundled examples and the shared glTF samples with the program
# built from an earlier commit and with the one built from the working
# tree, under several option sets, and compares every file written (the
# date in each file's head aside).
#
#   bash scripts/compare-exports.sh BASE_REF [OPTIONS_SET...]
#
# BASE_REF is any commit (main~3, a tag, a hash). Its program is built once
# into build/compare/HASH from a temporary worktree; the working tree's is
# build/release/korvo-export (built here when missing or stale). The option
# sets are named below; all of them run by default. The shared assets are
# found in ../shared/assets or $KORVO_TEST_ASSETS.
#
# Prints one line per file that differs or exists on one side only, and a
# summary; exits 1 when anything differs. KEEP=1 keeps the outputs in
# build/compare/out for a closer look.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
[[ $# -ge 1 ]] || { sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 2; }
base_ref=$1; shift

declare -A option_sets=(
  [default]="--set output_ica=on --set output_iva=on --set output_ima=on --set output_itp=on --set output_ita=on"
  [indexed]="--set vertex_style=index --set triangulation=generate_quads --set use_primitive_strip=off --set compress_node=cull --set compress_material=on --set force_full_weight=on --set output_ica=on"
  [strips]="--set use_primitive_strip=on --set triangulation=as_is_checking --set magnify=2 --set compress_node=merge"
)
sets=("$@")
[[ ${#sets[@]} -gt 0 ]] || sets=(default indexed strips)
for set in "${sets[@]}"; do
  [[ -n ${option_sets[$set]+x} ]] || { echo "compare-exports.sh: unknown option set \"$set\" (known: ${!option_sets[*]})" >&2; exit 2; }
done

assets=${KORVO_TEST_ASSETS:-$root/../shared/assets}
scenes=("$root"/examples/*.json)
if [[ -d $assets/gltf ]]; then
  scenes+=("$assets"/gltf/*/glTF-Embedded/*.gltf)
else
  echo "compare-exports.sh: no shared glTF samples in $assets; comparing the examples only" >&2
fi

base_hash=$(git -C "$root" rev-parse --verify "$base_ref^{commit}")
base_build=$root/build/compare/$base_hash
if [[ ! -x $base_build/korvo-export ]]; then
  tree=$(mktemp -d)
  trap 'git -C "$root" worktree remove --force "$tree" 2>/dev/null || true' EXIT
  git -C "$root" worktree add --detach "$tree" "$base_hash" >/dev/null
  cmake -S "$tree" -B "$base_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVO_BUILD_TESTS=OFF >/dev/null
  cmake --build "$base_build" --target korvo-export >/dev/null
fi
cmake --preset release >/dev/null
cmake --build --preset release --target korvo-export >/dev/null
new_program=$root/build/release/korvo-export

out=$root/build/compare/out
rm -rf "$out"
export KORVO_EXPORT_CONFIG_DIR=$out/config

# Runs one program on one scene; the output folder holds what it wrote.
export_with() {
  local program=$1 scene=$2 folder=$3 set=$4 name
  name=$(basename "${scene%.*}")
  mkdir -p "$folder"
  # shellcheck disable=SC2086 # the option sets are word lists
  (cd "$(dirname "$scene")" && "$program" export "$scene" -o "$folder/$name.imd" ${option_sets[$set]} --yes --quiet \
      >"$folder/$name.log" 2>&1) || echo "exit status $?" >>"$folder/$name.log"
}

# The time stamps and the output folder (which embedded textures are named
# by) are the only things allowed to differ between two runs.
normalise() { sed -E -e 's/date="[0-9T:-]+"/date=""/' -e "s|$out/$2/|OUT/|g" "$1"; }

differing=0 compared=0
for set in "${sets[@]}"; do
  for scene in "${scenes[@]}"; do
    name=$(basename "${scene%.*}")
    export_with "$base_build/korvo-export" "$scene" "$out/$set/old/$name" "$set"
    export_with "$new_program" "$scene" "$out/$set/new/$name" "$set"
    while IFS= read -r file; do
      compared=$((compared + 1))
      old=$out/$set/old/$name/$file new=$out/$set/new/$name/$file
      if [[ ! -e $old ]]; then echo "$set: only new: $name/$file"; differing=$((differing + 1)); continue; fi
      if [[ ! -e $new ]]; then echo "$set: only old: $name/$file"; differing=$((differing + 1)); continue; fi
      [[ $file == *.log ]] && continue
      if ! cmp -s <(normalise "$old" "$set/old") <(normalise "$new" "$set/new"); then
        lines=$(diff <(normalise "$old" "$set/old") <(normalise "$new" "$set/new") | grep -c '^[<>]' || true)
        echo "$set: differs ($lines lines): $name/$file"
        differing=$((differing + 1))
      fi
    done < <( (cd "$out/$set/old/$name" && find . -type f; cd "$out/$set/new/$name" && find . -type f) | sed 's|^\./||' | sort -u)
  done
done

echo "compared $compared files of ${#scenes[@]} scenes under ${#sets[@]} option sets against $base_ref: $differing differ"
[[ ${KEEP:-0} == 1 ]] || rm -rf "$out"
[[ $differing -eq 0 ]]
