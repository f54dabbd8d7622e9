#!/bin/sh
# Writes every NN_name.xml of the Fast Infoset kit's corpus with our writer (declarations 0 and 4,
# default and suggested options) and checks that the Java Fast Infoset library reads back the
# same canonical tree. Skipped when Java or the Java library is missing.
# Usage: interop.sh [WRITE_TOOL]   (default: build/release/tests/NxFastInfosetWriteTool)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
kit="$root/../shared/fastinfoset"
tool=${1:-"$root/build/release/tests/NxFastInfosetWriteTool"}
jar=${FI_JAR:-/usr/share/java/FastInfoset.jar}
if ! command -v java >/dev/null 2>&1 || ! command -v javac >/dev/null 2>&1 || [ ! -f "$jar" ]; then
    echo "interop: skipped (java, javac or $jar missing)"
    exit 0
fi
[ -x "$tool" ] || { echo "interop: $tool not built"; exit 2; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
passed=0; failed=0
for xml in "$kit"/corpus/[0-9][0-9]_*.xml; do
    case "$xml" in *.expected.xml) continue ;; esac
    name=$(basename "$xml" .xml)
    for decl in 0 4; do
        for options in default suggested; do
            finf="$out/$name.decl$decl.$options.finf"
            if ! "$tool" "$xml" "$finf" "$decl" "$options"; then
                echo "FAIL $name decl $decl $options: our writer failed"; failed=$((failed + 1)); continue
            fi
            if "$kit/check_writer.sh" --out "$out/canon" --source "$xml" "$finf" >"$out/log" 2>&1; then
                passed=$((passed + 1))
            else
                echo "FAIL $name decl $decl $options:"; sed 's/^/    /' "$out/log"; failed=$((failed + 1))
            fi
        done
    done
done
# The other direction: the Java library's documents read by ours (fi_canon prints the canonical tree).
canon=${FI_CANON:-"$root/build/release/tests/fi_canon"}
if [ -x "$canon" ]; then
    "$kit/check_reader.sh" "$canon" || failed=$((failed + 1))
else
    echo "FAIL $canon not built"; failed=$((failed + 1))
fi
echo "interop: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
