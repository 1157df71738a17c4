# Sourced: starts a private Xvfb (with XTEST, as Xvfb has by default; -noreset, so that the server
# does not restart, refusing connections, each time its last client leaves), exports DISPLAY and stops
# the server when the sourcing shell exits.
start_virtual_display() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >/tmp/xvfb-$$.log 2>&1 &
  XVFB_PID=$!
  local number
  if ! read -r -t 20 number <"$fifo"; then
    rm -f "$fifo"
    echo "Xvfb did not start; see /tmp/xvfb-$$.log" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$number"
  trap 'kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null' EXIT
}
