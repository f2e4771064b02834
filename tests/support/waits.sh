# SPDX-License-Identifier: GPL-3.0-or-later
# Bounded waits for the shell tests, sourced by them: a test waits for the
# state it checks, never for a fixed time.

# Waits, up to 60 s of wall time, until COMMAND... succeeds.
wait_for() {
  local deadline=$((SECONDS + 60))
  while [ "$SECONDS" -le "$deadline" ]; do
    ! "$@" || return 0
    sleep 0.1
  done
  return 1
}

# True when process PID has ended: gone, or a zombie whose parent has yet to
# reap it (a zombie holds no files and no locks any more).
has_ended() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  stat=${stat##*) }
  [ "${stat%% *}" = Z ]
}
