# SPDX-License-Identifier: GPL-3.0-or-later
# The cases of install_test.sh, which sources this file: one function each.

# Everything lands where it belongs, and nothing else does.
case_files() {
  install_sh --autostart
  local program size lang picture
  for program in KX-507 KX-507-demo kx-507-ctl kx-507-ctl-demo kx-notify; do
    [ -f "$app/$program" ] && [ -x "$app/$program" ] || fail "$app/$program is not an installed program"
  done
  cmp -s "$build/out/config.bin" "$app/config.bin" || fail "config.bin is not the shipped first-run file"
  for lang in EN CHS; do
    [ "$(ls "$build/out/Skins/$lang" | wc -l)" -eq "$(ls "$app/Skins/$lang" | wc -l)" ] ||
      fail "Skins/$lang does not hold the pictures of the build"
    for picture in "$build/out/Skins/$lang"/*.png; do
      cmp -s "$picture" "$app/Skins/$lang/${picture##*/}" || fail "Skins/$lang/${picture##*/} differs"
    done
  done
  for size in 16 22 24 32 48 64 128 256; do
    [ "$(png_size "$app/icons/kx-507-$size.png")" = "${size}x$size" ] || fail "no $size-pixel icon for the tray"
    [ "$(png_size "$XDG_DATA_HOME/icons/hicolor/${size}x$size/apps/kx-507.png")" = "${size}x$size" ] ||
      fail "no $size-pixel icon in the hicolor theme"
  done
  [ -L "$command_link" ] && [ "$(readlink -f "$command_link")" = "$app/KX-507" ] ||
    fail "$command_link does not lead to $app/KX-507"
  desktop-file-validate "$menu_entry" || fail "the menu entry does not validate"
  desktop-file-validate "$autostart_entry" || fail "the autostart entry does not validate"
  grep -qx 'Icon=kx-507' "$menu_entry" || fail "the menu entry does not name the icon by its theme name"
  grep -qx 'Categories=Settings;HardwareSettings;' "$menu_entry" || fail "the menu entry has other categories"
  cmp -s "$menu_entry" "$autostart_entry" || fail "the autostart entry starts something else"
  cmp -s "$source/res/udev/70-kx507.rules" "$KX_UDEV_RULES_DIR/70-kx507.rules" || fail "the udev rule is not installed"
  [ -z "$(find "$T/root" -name '*.kx-new')" ] || fail "a half-placed file was left behind"
  [ -L "$HOME/.local/bin/kx-507-ctl" ] && [ "$(readlink -f "$HOME/.local/bin/kx-507-ctl")" = "$app/kx-507-ctl" ] ||
    fail "kx-507-ctl does not lead to $app/kx-507-ctl"
  "$HOME/.local/bin/kx-507-ctl" --version | grep -qx 'kx-507-ctl [0-9.]*' || fail "the kx-507-ctl command does not run"
  "$HOME/.local/bin/kx-507-ctl" show | grep -qx 'report rate: 125 Hz' || fail "kx-507-ctl does not show the installed settings"
  cmp -s "$source/res/man/kx-507-ctl.1" "$XDG_DATA_HOME/man/man1/kx-507-ctl.1" || fail "the kx-507-ctl manual is not installed"
  cmp -s "$source/res/completion/kx-507-ctl" "$XDG_DATA_HOME/bash-completion/completions/kx-507-ctl" ||
    fail "the kx-507-ctl completion is not installed"
  [ "$(cd "$HOME" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')" = \
    "./.local ./.local/bin ./.local/bin/kx-507 ./.local/bin/kx-507-ctl " ] ||
    fail "the home holds more than the kx-507 and kx-507-ctl commands"
}

# The installed program starts: headless through the runner on the installed
# folder, and as a desktop starts it from the menu entry and the command.
case_starts() {
  install_sh
  local script=$'start\ntray click\npng window.png\n'
  local expected=$'> start\ntray icon added, tip "KX-507"\n> tray click\nmain window shown\n> png window.png\npicture window.png of main window, 752x647'
  mkdir -p "$T/installed" "$T/built"
  [ "$(printf '%s' "$script" | "$runner" --folder "$app" --png-dir "$T/installed" -)" = "$expected" ] ||
    fail "the installed folder does not start as expected"
  printf '%s' "$script" | "$runner" --png-dir "$T/built" - >/dev/null || fail "the build's own folder does not start"
  cmp -s "$T/installed/window.png" "$T/built/window.png" || fail "the installed program shows another window"

  local pid
  gio launch "$menu_entry" >"$log" 2>&1 || fail "gio cannot launch the menu entry"
  pid=$(process_running "$app/KX-507") || fail "the menu entry did not start $app/KX-507"
  started+=("$pid")
  kill "$pid"
  # Until it has ended it holds the single-instance lock and its executable.
  process_ended "$pid" || fail "the program started from the menu entry did not end"
  "$command_link" >/dev/null 2>&1 &
  started+=($!)
  process_runs "$!" "$app/KX-507" || fail "the kx-507 command did not start $app/KX-507"
  [ "$(process_running "$app/KX-507")" = "$!" ] || fail "another process runs $app/KX-507"
}

# A second install changes nothing; an upgrade replaces program files under a
# running program and drops what is no longer shipped; settings stay.
case_reinstall() {
  install_sh
  local before
  before=$(snapshot)
  install_sh
  [ "$(snapshot)" = "$before" ] || fail "a second install changed files"
  said "up to date"

  write_settings
  local settings
  settings=$(settings_state)
  printf '\0' >>"$app/KX-507-demo"  # an older build than the one under test
  local old_program
  old_program=$(stat -c %i "$app/KX-507-demo")
  "$app/KX-507-demo" >/dev/null 2>&1 &
  started+=($!)
  local pid=$!
  process_runs "$pid" "$app/KX-507-demo" || fail "the installed KX-507-demo did not start"
  wait_for test -S "$XDG_RUNTIME_DIR/RV880KXClass.sock" || fail "the installed KX-507-demo does not listen"
  : >"$app/Skins/EN/retired.png"
  echo "file $app/Skins/EN/retired.png" >>"$app/.install-manifest"

  install_sh
  [ "$(stat -c %i "$app/KX-507-demo")" != "$old_program" ] || fail "the upgrade wrote into the running executable"
  kill -0 "$pid" 2>/dev/null || fail "the running program ended with the upgrade"
  [ "$(readlink "/proc/$pid/exe")" = "$app/KX-507-demo (deleted)" ] || fail "the running program's file was not replaced"
  "$app/kx-notify" 9 12 || fail "the running program no longer answers"
  said "running the previous version"
  [ ! -e "$app/Skins/EN/retired.png" ] || fail "the upgrade kept a file no longer shipped"
  [ "$(settings_state)" = "$settings" ] || fail "the upgrade touched config.bin or str.ini"
}

write_settings() {
  head -c 180 /dev/urandom >"$app/config.bin"
  printf '[Setting-EN]\nItem1=Fire Key\n' >"$app/str.ini"
}
settings_state() { stat -c '%n %i %s %Y' "$app/config.bin" "$app/str.ini" && cat "$app/config.bin" "$app/str.ini" | md5sum; }

# Uninstall removes what was installed, autostart included, and keeps the
# settings; --purge leaves nothing behind. A command of the user's own stays,
# and so does anything a damaged manifest names outside what was installed.
case_uninstall() {
  mkdir -p "$HOME/.local/bin"
  printf '#!/bin/sh\necho mine\n' >"$command_link"
  chmod +x "$command_link"
  echo precious >"$HOME/precious"
  local initial
  initial=$(tree)
  install_sh --autostart
  said "Left $command_link as it is"
  install_sh --no-autostart
  [ ! -e "$autostart_entry" ] || fail "--no-autostart kept the autostart entry"
  install_sh --autostart
  [ -f "$autostart_entry" ] || fail "--autostart placed no autostart entry"
  write_settings
  local settings
  settings=$(settings_state)
  printf 'file %s\n' "$HOME/precious" "$app/../../home/precious" >>"$app/.install-manifest"

  uninstall_sh --uninstall
  said "Kept your settings:"
  said "$app/str.ini"
  local kept=$'\n./data\n./data/kx-507\n./data/kx-507/.install-manifest\n./data/kx-507/config.bin\n./data/kx-507/str.ini'
  [ "$(tree)" = "$(printf '%s%s' "$initial" "$kept" | LC_ALL=C sort)" ] || fail "uninstall left $(tree)"
  [ "$(settings_state)" = "$settings" ] || fail "uninstall touched config.bin or str.ini"
  install_sh
  [ "$(settings_state)" = "$settings" ] || fail "a re-install touched config.bin or str.ini"

  uninstall_sh --uninstall --purge
  [ "$(tree)" = "$initial" ] || fail "--purge left $(tree)"
  [ "$("$command_link")" = mine ] || fail "the user's own kx-507 command was changed"
  install_sh
  uninstall_sh --uninstall
  uninstall_sh --uninstall --purge
  [ "$(tree)" = "$initial" ] || fail "--purge after an uninstall left $(tree)"
  uninstall_sh --uninstall
  said "nothing to remove"
}

# Whatever keeps the udev rule from being installed, the install succeeds and
# says what to run later.
case_udev() {
  : >"$KX_UDEV_RULES_DIR"  # a file where the rules folder should be
  install_sh
  [ -x "$app/KX-507" ] || fail "the program was not installed"
  said "Could not install $KX_UDEV_RULES_DIR/70-kx507.rules"
  said "install-udev-rule.sh again later"
  rm -f "$KX_UDEV_RULES_DIR"

  # Not root: a stand-in for id says so.
  mkdir -p "$T/not-root"
  printf '#!/bin/sh\n[ "$1" = -u ] && { echo 1000; exit 0; }\nexec /usr/bin/id "$@"\n' >"$T/not-root/id"
  chmod +x "$T/not-root/id"
  PATH="$T/not-root:$PATH" KX_SUDO=kx-no-such-sudo install_sh
  said "kx-no-such-sudo is missing"
  said "install-udev-rule.sh again later as root"
  PATH="$T/not-root:$PATH" KX_SUDO=false install_sh
  said "Could not install"
  [ ! -e "$KX_UDEV_RULES_DIR/70-kx507.rules" ] || fail "a rule appeared without root"
  PATH="$T/not-root:$PATH" KX_SUDO=env install_sh  # a sudo that works
  cmp -s "$source/res/udev/70-kx507.rules" "$KX_UDEV_RULES_DIR/70-kx507.rules" || fail "the rule was not installed with sudo"
}

# A packager's install: any prefix, DESTDIR, the udev rule on request. CMake
# takes a backslash in DESTDIR for a folder separator, so the package is
# staged in a plain folder.
case_packager() {
  destdir=$(mktemp -d "${TMPDIR:-/tmp}/kx-package-test.XXXXXX")
  trap 'cleanup; rm -rf -- "$destdir"' EXIT
  local pkg="$destdir/usr"
  DESTDIR="$destdir" cmake --install "$build" --prefix /usr >"$log" 2>&1 || fail "cmake --install failed"
  [ -x "$pkg/share/kx-507/KX-507" ] && [ -f "$pkg/share/kx-507/Skins/EN/main.png" ] ||
    fail "the runnable folder is not in share/kx-507"
  [ "$(readlink "$pkg/bin/kx-507")" = ../share/kx-507/KX-507 ] && [ -x "$pkg/bin/kx-507" ] ||
    fail "bin/kx-507 does not lead to the program"
  [ "$(readlink "$pkg/bin/kx-507-ctl")" = ../share/kx-507/kx-507-ctl ] && [ -x "$pkg/bin/kx-507-ctl" ] ||
    fail "bin/kx-507-ctl does not lead to the command"
  [ -f "$pkg/share/man/man1/kx-507-ctl.1" ] && [ -f "$pkg/share/bash-completion/completions/kx-507-ctl" ] ||
    fail "the kx-507-ctl manual or completion is not in share/"
  grep -qx 'Exec="/usr/share/kx-507/KX-507"' "$pkg/share/applications/kx-507.desktop" ||
    fail "the menu entry does not start /usr/share/kx-507/KX-507"
  desktop-file-validate "$pkg/share/applications/kx-507.desktop" || fail "the menu entry does not validate"
  [ "$(png_size "$pkg/share/icons/hicolor/22x22/apps/kx-507.png")" = 22x22 ] || fail "no icon in the hicolor theme"
  [ ! -e "$pkg/lib/udev" ] || fail "the udev rule was installed without being asked for"
  DESTDIR="$destdir" cmake --install "$build" --prefix /usr --component udev >"$log" 2>&1 || fail "no udev component"
  cmp -s "$source/res/udev/70-kx507.rules" "$pkg/lib/udev/rules.d/70-kx507.rules" || fail "the udev rule differs"
}

# A system-wide install: the user may not write the program's folder, so the
# settings go to the user's configuration folder, made at the first start
# with the shipped config.bin, and Apply writes them there. Under root, whom
# permissions do not bind, the run is made as user nobody.
case_system() {
  local destdir config
  work=$(mktemp -d "${TMPDIR:-/tmp}/kx-system-test.XXXXXX")  # a plain path, as for the packager
  trap 'cleanup; chmod -R u+w "$work"; rm -rf -- "$work"' EXIT
  destdir="$work/stage" config="$work/user-config"
  DESTDIR="$destdir" cmake --install "$build" --prefix /usr >"$log" 2>&1 || fail "cmake --install failed"
  local program="$destdir/usr/share/kx-507"
  [ -f "$destdir/usr/share/man/man1/kx-507.1" ] || fail "no manual page"
  [ -f "$destdir/usr/share/icons/hicolor/scalable/apps/kx-507.svg" ] || fail "no scalable icon"
  ls "$destdir"/usr/share/metainfo/*.metainfo.xml >/dev/null || fail "no AppStream metadata"
  mkdir -p "$config"
  install -m 755 "$runner" "$work/kx-run"
  printf '%s\n' start 'tray click' 'click 660 75' 'click 140 325' 'click 530 587' 'show mouse changes' >"$work/apply.kxs"
  chmod -R a-w "$program"
  chmod 755 "$work"
  chmod 644 "$work/apply.kxs"
  local as=()
  if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$config"
    as=(setpriv --reuid 65534 --regid 65534 --clear-groups)
  fi
  "${as[@]}" env HOME="$config" XDG_CONFIG_HOME="$config" "$work/kx-run" --folder "$program" "$work/apply.kxs" >"$log" 2>&1 ||
    { chmod -R u+w "$program"; fail "the runner failed on the installed folder"; }
  chmod -R u+w "$program"
  ! grep -q 'NULL ==fp\|Error Code\|WriteOperation' "$log" || fail "Apply reported a failure"
  [ "$(awk '/^> show mouse changes/ { on = 1; next } on' "$log" | wc -l)" -gt 0 ] || fail "Apply wrote nothing to the mouse"
  [ "$(od -An -tu1 -N1 "$config/kx-507/config.bin" | tr -d ' ')" = 1 ] || fail "config.bin in the user's folder was not applied"
  [ -f "$config/kx-507/str.ini" ] || fail "no str.ini in the user's folder"
  cmp -s "$build/out/config.bin" "$program/config.bin" || fail "the installed config.bin changed"
  [ ! -e "$program/str.ini" ] || fail "str.ini was written beside the program"
}

# True when the window tree on standard input shows a KX-507 window below
# trayer's panel, which holds the icons it embedded.
tray_holds_icon() {
  awk 'index($0, "\"panel\": (\"panel\" \"trayer\")") { depth = match($0, /[^ ]/); inside = 1; next }
       inside && match($0, /[^ ]/) <= depth { inside = 0 }
       inside && index($0, "\"KX-507\":") { found = 1 }
       END { exit !found }'
}

main_window_made() { xwininfo -root -tree | grep -qF '"KX-507": ("kx-507" "kx-507")'; }
icon_in_tray() { xwininfo -root -tree | tray_holds_icon; }

# At login the session starts the autostart entry while its panel may still
# be coming up: the tray icon appears once the notification area does.
case_login() {
  install_sh --autostart
  start_x_display "$T" 800x600x24
  started+=("$x_server_pid")
  DISPLAY=$(x_display "$T") || fail "no X display"
  export DISPLAY
  unset QT_QPA_PLATFORM

  gio launch "$autostart_entry" >"$log" 2>&1 || fail "gio cannot launch the autostart entry"
  local pid
  pid=$(process_running "$app/KX-507") || fail "the autostart entry did not start $app/KX-507"
  started+=("$pid")
  # The main window is put on the screen (and hidden again) once the program
  # has set itself up, tray icon included: only then does the panel come.
  wait_for main_window_made || fail "the program did not make its window"
  trayer --edge bottom --align right --widthtype request --height 24 >/dev/null 2>&1 &
  started+=($!)
  wait_for icon_in_tray || fail "no tray icon once the notification area came up"
}
