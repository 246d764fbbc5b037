#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
dirs=()
for d in src tests bench fuzz; do [ -d "$d" ] && dirs+=("$d"); done
find "${dirs[@]}" \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z | xargs -0 -r clang-format --dry-run -Werror
echo "format ok"
