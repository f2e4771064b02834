# SPDX-License-Identifier: GPL-3.0-or-later
# An X server of a test's own, for the shell tests (sourced after waits.sh).
#
# The server runs with -noreset. By default an X server resets each time its
# last client leaves, and a reset drops every client still in the middle of
# connecting. The tests look at the screen with short-lived clients (xwininfo,
# xdotool) while the program is connecting, so without it the program could
# now and then not connect at all ("could not connect to display"), the more
# often the busier the machine.

# start_x_display FOLDER SIZE [COMMAND...]: starts Xvfb on the first free
# display, through COMMAND when one is given (a change of user, say); what the
# server says goes to FOLDER/xvfb.log. Sets x_server_pid.
start_x_display() {
  local folder=$1 size=$2
  shift 2
  "$@" Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset \
    3>"$folder/display" >"$folder/xvfb.log" 2>&1 &
  x_server_pid=$!
}

# The server writes its display number and a line end once it takes clients.
x_display_written() { [ "$(wc -l <"$1/display")" -ge 1 ]; }

# x_display FOLDER: waits until the server started by start_x_display takes
# clients and prints its display (":N"); false, with what the server said on
# the standard error, when it never did.
x_display() {
  if wait_for x_display_written "$1"; then
    echo ":$(head -n 1 "$1/display")"
    return 0
  fi
  echo "Xvfb did not start; it said:" >&2
  cat "$1/xvfb.log" >&2
  return 1
}
