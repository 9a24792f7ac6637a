# Sourced by the test scripts: every wait polls for its condition, with a time-out.
#   within SECONDS COMMAND [ARGUMENTS...]
# runs COMMAND every 0.1 s until it succeeds, for at most SECONDS; its status says
# whether it did.
within() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}
