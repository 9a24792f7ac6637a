#!/usr/bin/env bash
# Builds the Debian package with CPack and runs lintian on it: any error or warning
# fails. Informational and pedantic tags are printed but pass.
#   tests/packaging/lintian_check.sh path/to/build/CPackConfig.cmake
set -uo pipefail
config=$(realpath -- "$1")

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack lintian; do
  command -v "$tool" >/dev/null || fail "$tool is missing (packages cmake, lintian)"
done
# shellcheck source=build_deb.sh
source "$(dirname "${BASH_SOURCE[0]}")/build_deb.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/numora-lintian.XXXXXX")
trap 'rm -rf "$work"' EXIT
build_deb "$config" "$work"

# lintian exits non-zero only for errors; warnings are caught from its report.
out=$(lintian --info --display-info --pedantic --tag-display-limit 0 "$deb" 2>&1)
rc=$?
[[ -n $out ]] && echo "$out"
if ((rc != 0)) || grep -q '^[EW]: ' <<<"$out"; then
  fail "lintian reports errors or warnings for $(basename "$deb")"
fi
echo "lintian: no errors or warnings"
