# Sourced by the package checks: builds the .deb from a CPack configuration into a
# scratch directory and sets deb to its path.
#   build_deb <CPackConfig.cmake> <scratch dir>
# The caller defines fail().
build_deb() {
  local config=$1 work=$2 debs
  [[ -f $config ]] || fail "no CPack configuration at $config; configure the build first"
  if ! (cd "$work" && cpack --config "$config" -B "$work/out") >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    fail "cpack could not build the package"
  fi
  debs=("$work"/out/numora_*.deb)
  [[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "cpack made no single numora_*.deb: $(ls "$work/out")"
  deb=${debs[0]}
  echo "built $(basename "$deb")"
}
