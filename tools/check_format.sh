#!/usr/bin/env bash
# Every C++ file the repository holds is formatted with the root .clang-format.
# Prints the places that are not and exits 1 if there are any.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
