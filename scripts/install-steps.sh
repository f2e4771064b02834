# SPDX-License-Identifier: GPL-3.0-or-later
# The steps of scripts/install.sh, which sources this file; not run on its own.

say() { printf '%s\n' "$*"; }
fail() {
  printf 'install.sh: %s\n' "$*" >&2
  exit 1
}

# An XDG base folder from its variable, or the default when the variable is
# unset, empty or relative (the XDG rules say a relative one is ignored).
xdg_folder() {
  case $1 in
    /*) printf '%s' "$1" ;;
    *) printf '%s' "$2" ;;
  esac
}

locate_install_folders() {
  case ${HOME:-} in /*) ;; *) fail "HOME must name your home folder" ;; esac
  data_home=$(xdg_folder "${XDG_DATA_HOME:-}" "$HOME/.local/share")
  config_home=$(xdg_folder "${XDG_CONFIG_HOME:-}" "$HOME/.config")
  app="$data_home/kx-507"
  bin_dir="$HOME/.local/bin"
  command_link="$bin_dir/kx-507"
  ctl_link="$bin_dir/kx-507-ctl"
  ctl_manual="$data_home/man/man1/kx-507-ctl.1"
  ctl_completion="$data_home/bash-completion/completions/kx-507-ctl"
  menu_entry="$data_home/applications/kx-507.desktop"
  autostart_entry="$config_home/autostart/kx-507.desktop"
  icon_theme="$data_home/icons/hicolor"
  manifest="$app/.install-manifest"
  case "$app$config_home$bin_dir" in
    *$'\n'*) fail "folders with a line break in their names are not supported" ;;
  esac
}

# Only these paths are ever written or removed, whatever the manifest says.
is_ours() {
  case $1 in
    */../* | */./*) return 1 ;;
    "$app"/* | "$icon_theme"/*/apps/kx-507.png | "$menu_entry" | "$autostart_entry" | "$command_link") return 0 ;;
    "$ctl_link" | "$ctl_manual" | "$ctl_completion") return 0 ;;
    *) return 1 ;;
  esac
}

is_settings_file() { [ "$1" = "$app/config.bin" ] || [ "$1" = "$app/str.ini" ]; }

# The manifest: "file PATH" for each file and link placed, "dir PATH" for each
# folder made for them.
read_manifest() {
  old_files=()
  old_dirs=()
  [ -f "$manifest" ] || return 0
  local line
  while IFS= read -r line; do
    case $line in
      "file /"*) old_files+=("${line#file }") ;;
      "dir /"*) old_dirs+=("${line#dir }") ;;
    esac
  done <"$manifest"
}

write_manifest() { # FILES_ARRAY_NAME DIRS_ARRAY_NAME
  local -n manifest_files=$1 manifest_dirs=$2
  local new="$stage/manifest"
  {
    echo "# Placed by scripts/install.sh; its --uninstall removes them."
    [ ${#manifest_files[@]} -eq 0 ] || printf 'file %s\n' "${manifest_files[@]}" | LC_ALL=C sort -u
    [ ${#manifest_dirs[@]} -eq 0 ] || printf 'dir %s\n' "${manifest_dirs[@]}" | LC_ALL=C sort -u
  } >"$new"
  cmp -s "$new" "$manifest" || replace_file "$new" "$manifest"
}

# Makes FOLDER and the missing folders above it, noting each one made.
make_folder() {
  [ -d "$1" ] && return 0
  [ -z "${1%/*}" ] || make_folder "${1%/*}"
  mkdir -- "$1"
  made_dirs+=("$1")
}

# Puts a copy of SOURCE at TARGET through a new file renamed over the old one,
# so that whoever has TARGET open or running keeps the old one whole.
replace_file() {
  pending="${2%/*}/.${2##*/}.kx-new"
  cp --preserve=mode -- "$1" "$pending"
  mv -fT -- "$pending" "$2"
  pending=""
}

# Places SOURCE at TARGET unless TARGET already holds the same bytes and is
# as executable (the install rules give 0755 or 0644).
place() {
  placed+=("$2")
  if [ -f "$2" ] && [ ! -L "$2" ] && { [ -x "$1" ] && [ -x "$2" ] || { [ ! -x "$1" ] && [ ! -x "$2" ]; }; } &&
    cmp -s -- "$1" "$2"; then
    return 0
  fi
  make_folder "${2%/*}"
  replace_file "$1" "$2"
  written=$((written + 1))
}

# The shipped first-run config.bin, only where there is none: a hard link
# fails when the name exists, so not even a file made meanwhile is replaced
# (a folder that takes no hard links gets a rename that refuses to replace).
place_first_config() {
  if [ -e "$2" ] || [ -L "$2" ]; then
    settings_existed=yes
    return 0
  fi
  make_folder "${2%/*}"
  pending="${2%/*}/.config.bin.kx-new"
  cp -- "$1" "$pending"
  ln -T -- "$pending" "$2" 2>/dev/null || [ -e "$2" ] || mv -nT -- "$pending" "$2"
  rm -f -- "$pending"
  pending=""
  written=$((written + 1))
}

cache_value() { # NAME: a value from the build folder's CMake cache
  sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"
}

prepare_build() {
  if [ -n "$from" ]; then
    [ -f "$from/CMakeCache.txt" ] || fail "$from is not a CMake build folder"
    build=$(cd "$from" && pwd)
    return 0
  fi
  build="$root/build"
  "$root/scripts/install-deps.sh"
  [ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" -j "$(nproc)" --target KX-507 KX-507-demo kx-507-ctl kx-507-ctl-demo kx-notify
}

# Runs the install rules into a private folder, $stage/prefix, and finds there
# the runnable folder (where the rules' kx-507 command leads) and the icons.
stage_install() {
  local name
  for name in KX_INSTALL_PROGRAMDIR CMAKE_INSTALL_BINDIR CMAKE_INSTALL_DATAROOTDIR CMAKE_INSTALL_DATADIR; do
    case $(cache_value "$name") in
      /*) fail "$build installs $name into an absolute folder; configure it with a relative one" ;;
    esac
  done
  if ! cmake --install "$build" --prefix "$stage/prefix" --strip >"$stage/install.log" 2>&1; then
    cat "$stage/install.log" >&2
    fail "the install rules of $build failed"
  fi
  staged_program=$(dirname "$(readlink -f "$stage/prefix/bin/kx-507")")
  staged_icons=$(find "$stage/prefix" -type d -path '*/icons/hicolor' -print -quit)
  staged_manual=$(find "$stage/prefix" -type f -path '*/man1/kx-507-ctl.1' -print -quit)
  staged_completion=$(find "$stage/prefix" -type f -path '*/completions/kx-507-ctl' -print -quit)
  [ -x "$staged_program/KX-507" ] || fail "the install rules of $build gave no KX-507"
  [ -n "$staged_icons" ] || fail "the install rules of $build gave no icons"
}

place_program_folder() { # STAGED_FOLDER
  local file
  while IFS= read -r -d '' file; do
    case ${file#"$1"/} in
      config.bin) place_first_config "$file" "$app/config.bin" ;;
      str.ini) ;;
      *) place "$file" "$app/${file#"$1"/}" ;;
    esac
  done < <(find "$1" -type f -print0 | LC_ALL=C sort -z)
}

place_icons() { # STAGED_HICOLOR_FOLDER
  local icon size
  for icon in "$1"/*/apps/kx-507.png; do
    [ -f "$icon" ] || fail "the install rules of $build gave no icons"
    size=${icon#"$1"/}
    place "$icon" "$icon_theme/${size%%/*}/apps/kx-507.png"
  done
}

place_menu_entries() {
  local entry="$stage/kx-507.desktop"
  cmake -DTEMPLATE="$root/res/desktop/kx-507.desktop.in" -DOUTPUT="$entry" -DPROGRAM="$app/KX-507" \
    -P "$root/cmake/DesktopEntry.cmake"
  place "$entry" "$menu_entry"
  # At login the program starts hidden in the tray, as it always does.
  # Without --autostart an entry placed before stays as it is: the desktop
  # may have been told to skip it.
  if [ "$autostart" = yes ]; then
    place "$entry" "$autostart_entry"
  elif [ "$autostart" = keep ] && [ -f "$autostart_entry" ] && was_installed "$autostart_entry"; then
    placed+=("$autostart_entry")
  fi
}

was_installed() {
  local file
  for file in "${old_files[@]}"; do
    [ "$file" != "$1" ] || return 0
  done
  return 1
}

place_command_link() { # LINK TARGET
  local link=$1 target=$2
  placed+=("$link")
  if [ -L "$link" ] && [ "$(readlink -- "$link")" = "$target" ]; then
    return 0
  fi
  if { [ -e "$link" ] || [ -L "$link" ]; } && ! was_installed "$link"; then
    say "Left $link as it is: this script did not make it."
    unset 'placed[${#placed[@]}-1]'
    return 0
  fi
  make_folder "$bin_dir"
  pending="$bin_dir/.${link##*/}.kx-new"
  ln -sfn -- "$target" "$pending"
  mv -fT -- "$pending" "$link"
  pending=""
  written=$((written + 1))
}

# The command-line companion: its command, manual page and completion.
place_ctl() {
  [ -n "$staged_manual" ] && [ -n "$staged_completion" ] || fail "the install rules of $build gave no kx-507-ctl manual"
  place_command_link "$ctl_link" "$app/kx-507-ctl"
  place "$staged_manual" "$ctl_manual"
  place "$staged_completion" "$ctl_completion"
}

# Removes files and links an install placed; the settings files stay.
remove_installed() { # FILE...
  local file doomed=()
  for file; do
    is_ours "$file" && ! is_settings_file "$file" || continue
    if [ "$file" = "$command_link" ]; then
      [ -L "$file" ] && [ "$(readlink -- "$file")" = "$app/KX-507" ] || continue
    fi
    if [ "$file" = "$ctl_link" ]; then
      [ -L "$file" ] && [ "$(readlink -- "$file")" = "$app/kx-507-ctl" ] || continue
    fi
    [ -f "$file" ] || [ -L "$file" ] && doomed+=("$file")
  done
  [ ${#doomed[@]} -eq 0 ] || rm -f -- "${doomed[@]}"
  removed=$((removed + ${#doomed[@]}))
}

# Removes the folders of the list that are empty, deepest first, and keeps the
# others in the array named by its first argument.
remove_empty_folders() { # KEPT_ARRAY_NAME FOLDER...
  local -n kept_dirs=$1
  shift
  kept_dirs=()
  local dir
  while IFS= read -r dir; do
    [ -n "$dir" ] || continue
    rmdir -- "$dir" 2>/dev/null || { [ ! -d "$dir" ] || kept_dirs+=("$dir"); }
  done < <([ $# -eq 0 ] || printf '%s\n' "$@" | LC_ALL=C sort -ru)
}

# True when a KX-507 of this folder runs from an executable since replaced or removed.
previous_version_running() {
  { find /proc/[0-9]*/exe -maxdepth 0 -printf '%l\n' 2>/dev/null || true; } |
    grep -qxF -e "$app/KX-507 (deleted)" -e "$app/KX-507-demo (deleted)"
}
