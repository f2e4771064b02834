#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs KX-507 for the current user, or removes it again. See usage below
# and the README, "Install it".
#
# The program keeps config.bin and str.ini beside its executable and writes
# them on Apply, so it is installed into a folder of the user's own, through
# the project's CMake install rules (staged with cmake --install, then placed
# here file by file). Placing a file writes a new one and renames it over the
# old: a running KX-507 keeps the executable it started from, and a file
# that has not changed is not touched at all. The settings files are never
# written: the shipped config.bin goes in only where there is none.
#
# What an install placed is listed in the folder's .install-manifest, so
# that an upgrade removes what a newer build no longer ships and an uninstall
# removes exactly what was installed, and the folders made for it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/install-steps.sh"

usage() {
  cat <<EOF
usage: scripts/install.sh [--autostart | --no-autostart] [--from BUILD_DIR]
       scripts/install.sh --uninstall [--purge]

Installs KX-507 for you (no root needed): builds it when needed, then puts
  the program, its skins and icons   ${XDG_DATA_HOME:-~/.local/share}/kx-507/
  the kx-507 command                 ~/.local/bin/kx-507
  the kx-507-ctl command             ~/.local/bin/kx-507-ctl (with its manual page
                                     and bash completion under ${XDG_DATA_HOME:-~/.local/share})
  the application menu entry         ${XDG_DATA_HOME:-~/.local/share}/applications/kx-507.desktop
  the icon                           ${XDG_DATA_HOME:-~/.local/share}/icons/hicolor/
and the udev rule that gives you the mouse (with sudo when you are not root;
when that is not possible it says what to run later). Running it again
upgrades the program files and never touches your config.bin and str.ini.

  --autostart     also start KX-507 at login, hidden in the tray
                  (${XDG_CONFIG_HOME:-~/.config}/autostart/kx-507.desktop)
  --no-autostart  stop starting it at login
  --from DIR      install what the build folder DIR holds, as it is
                  (default: build and install build/)
  --uninstall     remove everything installed; keeps config.bin and str.ini
  --purge         with --uninstall: remove config.bin and str.ini as well
EOF
}

usage_error() {
  echo "install.sh: $1 (see --help)" >&2
  exit 2
}

action=install autostart=keep purge=no from=""
while [ $# -gt 0 ]; do
  case $1 in
    --autostart) autostart=yes ;;
    --no-autostart) autostart=no ;;
    --uninstall) action=uninstall ;;
    --purge) purge=yes ;;
    --from)
      [ $# -ge 2 ] || usage_error "--from needs a build folder"
      from=$2
      shift ;;
    -h | --help) usage; exit 0 ;;
    *) usage_error "unknown argument $1" ;;
  esac
  shift
done
[ "$purge" = no ] || [ "$action" = uninstall ] || usage_error "--purge goes with --uninstall"
[ "$action" = install ] || { [ "$autostart" = keep ] && [ -z "$from" ]; } ||
  usage_error "--uninstall takes no other option than --purge"

install_program() {
  prepare_build
  stage=$(mktemp -d "${TMPDIR:-/tmp}/kx-507-install.XXXXXX")
  pending=""
  trap 'rm -rf -- "$stage"; [ -z "$pending" ] || rm -f -- "$pending"' EXIT
  stage_install
  read_manifest
  placed=() made_dirs=() written=0 removed=0 settings_existed=no
  place_program_folder "$staged_program"
  place_icons "$staged_icons"
  place_menu_entries
  place_command_link "$command_link" "$app/KX-507"
  place_ctl
  local file retired=()
  declare -A now
  for file in "${placed[@]}"; do now[$file]=1; done
  for file in "${old_files[@]}"; do
    [ -n "${now[$file]:-}" ] || retired+=("$file")
  done
  remove_installed "${retired[@]}"
  local dirs
  remove_empty_folders dirs "${old_dirs[@]}" "${made_dirs[@]}"
  write_manifest placed dirs
  report_install
  "$root/scripts/install-udev-rule.sh" ||
    say "The udev rule is not installed: to use the mouse without root, run $root/scripts/install-udev-rule.sh later."
}

report_install() {
  if [ $written -eq 0 ] && [ $removed -eq 0 ]; then
    say "KX-507 is installed and up to date in $app."
  else
    say "Installed KX-507 in $app."
  fi
  [ "$settings_existed" = no ] || say "Your settings there (config.bin, str.ini) are kept as they are."
  say "Start it from your application menu, or with: kx-507"
  case ":$PATH:" in
    *":$bin_dir:"* | *":$bin_dir/:"*) ;;
    *) say "($bin_dir is not on your PATH yet: log in again, or add it to PATH.)" ;;
  esac
  [ ! -f "$autostart_entry" ] || ! grep -qxF "file $autostart_entry" "$manifest" ||
    say "It starts at login, hidden in the tray ($autostart_entry)."
  [ $written -eq 0 ] || ! previous_version_running ||
    say "KX-507 is running the previous version: choose Exit in its tray menu and start it again."
}

uninstall_program() {
  read_manifest
  if [ ${#old_files[@]} -eq 0 ] && { [ "$purge" = no ] || [ ! -d "$app" ]; }; then
    say "KX-507 is not installed for you: nothing to remove."
    return 0
  fi
  removed=0
  local file kept=()
  remove_installed "${old_files[@]}"
  if [ "$purge" = yes ]; then
    rm -rf -- "$app"
  else
    for file in "$app/config.bin" "$app/str.ini"; do
      [ ! -e "$file" ] || kept+=("$file")
    done
    [ ${#kept[@]} -gt 0 ] || rm -f -- "$manifest"
  fi
  local dirs
  remove_empty_folders dirs "${old_dirs[@]}"
  if [ ${#kept[@]} -gt 0 ]; then
    stage=$(mktemp -d "${TMPDIR:-/tmp}/kx-507-install.XXXXXX")
    trap 'rm -rf -- "$stage"' EXIT
    local none=()
    write_manifest none dirs
  fi
  report_uninstall "${kept[@]}"
}

report_uninstall() { # KEPT_FILE...
  if [ $removed -gt 0 ]; then
    say "Removed KX-507 ($removed files)."
  fi
  if [ $# -gt 0 ]; then
    say "Kept your settings:"
    printf '  %s\n' "$@"
    say "(scripts/install.sh --uninstall --purge removes them as well.)"
  elif [ "$purge" = yes ]; then
    say "Removed your KX-507 settings ($app)."
  fi
  ! previous_version_running || say "KX-507 is still running: it ends when you choose Exit in its tray menu."
  local rule="${KX_UDEV_RULES_DIR:-/etc/udev/rules.d}/70-kx507.rules"
  [ ! -f "$rule" ] ||
    say "The udev rule $rule stays, as it serves every user here; remove it as root if no one uses the mouse."
}

if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ]; then
  echo "install.sh: run it as yourself, not through sudo: it installs for the user who runs it." >&2
  exit 2
fi
locate_install_folders

if [ "$action" = uninstall ]; then
  uninstall_program
else
  install_program
fi
