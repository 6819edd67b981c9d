#!/bin/sh
# Fails, listing the files, when a C++ file of the tree is not laid out as
# .clang-format says. With --fix, formats them instead.
set -e
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests fuzz bench tools -name '*.cpp' -o -name '*.h')
if [ "$1" = "--fix" ]; then
  clang-format -i $files
  exit 0
fi
bad=""
for f in $files; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad="$bad $f"
done
if [ -n "$bad" ]; then
  echo "Not formatted (run ./scripts/check-format.sh --fix):" >&2
  for f in $bad; do echo "  $f" >&2; done
  exit 1
fi
echo "Formatting: every C++ file is laid out as .clang-format says"
