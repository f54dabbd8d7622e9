#!/bin/sh
# Checks what our Fast Infoset writer produces against the Java Fast Infoset library: every
# NN_name.xml of the kit's corpus loaded and written by us, and the purchase orders of
# tests/data/po read into their bindings and written by ToFastInfosetFile, each with declarations
# 0 and 4 and with the default and suggested options. The Java library must accept each file and
# read back the same canonical tree as the XML text; the orders it writes must read into the
# bindings as the XML text does. Skipped when Java is missing.
# Usage: interop.sh [BUILD_DIR]   (default: build/release)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
kit="$root/../shared/fastinfoset"
build=${1:-"$root/build/release"}
tool="$build/tests/NxFastInfosetWriteTool"
potool="$build/tests/NxPurchaseOrderFastInfosetTool"
jar=${FI_JAR:-/usr/share/java/FastInfoset.jar}
if ! command -v java >/dev/null 2>&1 || ! command -v javac >/dev/null 2>&1 || [ ! -f "$jar" ]; then
    echo "interop: skipped (java, javac or $jar missing)"
    exit 0
fi
[ -x "$tool" ] || { echo "interop: $tool not built"; exit 2; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
passed=0; failed=0

# Checks one file against the canonical form of an XML text file.
check() {
    if "$kit/check_writer.sh" --out "$out/canon" --source "$1" "$2" >"$out/log" 2>&1; then
        passed=$((passed + 1))
    else
        echo "FAIL $2:"; sed 's/^/    /' "$out/log"; failed=$((failed + 1))
    fi
}

for decl in 0 4; do
    for options in default suggested; do
        for xml in "$kit"/corpus/[0-9][0-9]_*.xml; do
            case "$xml" in *.expected.xml) continue ;; esac
            finf="$out/$(basename "$xml" .xml).decl$decl.$options.finf"
            if "$tool" "$xml" "$finf" "$decl" "$options"; then
                check "$xml" "$finf"
            else
                echo "FAIL $xml decl $decl $options: our writer failed"; failed=$((failed + 1))
            fi
        done
        [ -x "$potool" ] || continue
        for xml in "$root"/tests/data/po/*.xml; do
            base="$out/$(basename "$xml" .xml).decl$decl.$options"
            if "$potool" "$xml" "$base" "$decl" "$options"; then
                check "$base.xml" "$base.finf"
            else
                echo "FAIL $xml decl $decl $options: the bound order was not written"; failed=$((failed + 1))
            fi
        done
    done
done
# Orders the Java library wrote, read into the bindings while they are parsed: the same order as
# read from the XML text.
if [ -x "$potool" ]; then
    for xml in "$root"/tests/data/po/*.xml; do
        base="$out/$(basename "$xml" .xml)"
        if ! "$potool" "$xml" "$base.text" 0 default; then
            echo "FAIL $xml: the order was not read"; failed=$((failed + 1)); continue
        fi
        for variant in default utf16 typed cdata; do
            flag=""; [ "$variant" = default ] || flag="--$variant"
            if "$kit/fitool.sh" xml2fi "$xml" "$base.java-$variant.finf" $flag &&
                "$potool" "$base.java-$variant.finf" "$base.java-$variant" 0 default &&
                cmp -s "$base.text.xml" "$base.java-$variant.xml"; then
                passed=$((passed + 1))
            else
                echo "FAIL $xml: the Java library's $variant Fast Infoset reads to another order"; failed=$((failed + 1))
            fi
        done
    done
fi
# The other direction: the Java library's documents read by ours (fi_canon prints the canonical tree).
canon=${FI_CANON:-"$root/build/release/tests/fi_canon"}
if [ -x "$canon" ]; then
    "$kit/check_reader.sh" "$canon" || failed=$((failed + 1))
else
    echo "FAIL $canon not built"; failed=$((failed + 1))
fi
echo "interop: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
