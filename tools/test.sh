#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test:
#   host     unit, conversation and fault-sweep tests on the stand-in platform
#   win32    checks of the shipped executable's bytes, reproducible build
#   wine     the real program end to end under 64-bit Wine (win64 build)
#   asan     the host tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   fuzz     a bounded libFuzzer run over detection and the question
# and prints the product's line and branch coverage by the host tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

for preset in host win32 win64 asan fuzz; do
  echo "==> build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
done
ls -l build/win32/QuillmereCheck.exe

failed=()
for preset in host win32 wine asan fuzz; do
  echo "==> test $preset"
  ctest --preset "$preset" || failed+=("$preset")
done

# After the tests, so that a failing test shows its output above rather than
# stopping the run inside the coverage build, which keeps it quiet.
echo "==> coverage of dialogue/ and registration/ by the host tests"
bash tools/coverage.sh || failed+=(coverage)

if ((${#failed[@]})); then
  echo "test: FAILED in: ${failed[*]}" >&2
  exit 1
fi
echo "test: every preset passed"
