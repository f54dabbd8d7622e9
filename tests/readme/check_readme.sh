#!/usr/bin/env bash
# Compiles every C++ example of the README. A complete program is compiled as it stands; a
# fragment gets the library's headers and namespaces, its #include and using lines are kept at
# the top and the rest becomes the body of a function.
#   check_readme.sh README CXX INCLUDE_DIR...
set -euo pipefail
readme=$1 cxx=$2
shift 2
flags=(-std=c++17 -fsyntax-only -Wall -Wextra)
for dir in "$@"; do flags+=(-I "$dir"); done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v dir="$work" '
  /^```cpp$/ { count++; file = sprintf("%s/block%02d.txt", dir, count); inside = 1; next }
  /^```$/ && inside { inside = 0; close(file); next }
  inside { print > file }
' "$readme"

checked=0
for block in "$work"/block*.txt; do
  [ -e "$block" ] || { echo "no C++ examples found in $readme"; exit 1; }
  source="${block%.txt}.cpp"
  if grep -q 'int main' "$block"; then
    cp "$block" "$source"
  else
    {
      echo '#include <NxXmlLib16.h>'
      echo '#include "PurchaseOrder.h"'
      echo '#include <cstdio>'
      echo '#include <string>'
      grep -E '^(#include|using namespace)' "$block" || true
      echo 'using namespace NxXmlLib16;'
      echo 'using namespace PurchaseOrder;'
      echo 'void ReadmeExample()'
      echo '{'
      grep -vE '^(#include|using namespace)' "$block" || true
      echo '}'
    } > "$source"
  fi
  if ! "$cxx" "${flags[@]}" "$source"; then
    echo "README example $(basename "$block" .txt) does not compile:"
    cat -n "$source"
    exit 1
  fi
  checked=$((checked + 1))
done
echo "README: $checked C++ examples compile"
