#!/usr/bin/env bash
# Line and branch coverage of the product (dialogue/ and registration/) by the
# host tests.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset coverage >/dev/null
cmake --build --preset coverage >/dev/null
find build/coverage -name '*.gcda' -delete
ctest --preset coverage >/dev/null
report() {
  gcovr --root . --object-directory build/coverage --gcov-exclude '.*CompilerId.*' \
    --filter 'dialogue/' --filter 'registration/' "$@" 2>/dev/null
}
report
report --branches
