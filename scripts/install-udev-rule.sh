#!/usr/bin/env bash
# Installs the udev rule that lets the logged-in user talk to the KX-507's
# hidraw nodes, when it is missing or differs, and applies it to the nodes
# already present. Safe to run again; on a machine without udev (a container)
# it only says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rule="$root/res/udev/70-kx507.rules"
rules_dir=/etc/udev/rules.d
target="$rules_dir/$(basename "$rule")"

if [ ! -d /etc/udev ]; then
  echo "udev is not installed here: the KX-507 udev rule is not needed."
  exit 0
fi

if cmp -s "$rule" "$target"; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "Not installing $target: run as root or install sudo (see README, \"Using a real mouse\")."
    exit 0
  fi
  sudo="sudo"
  echo "Installing $target so that you can use the mouse without root (sudo may ask for your password)."
fi

# Without the rule the program still runs (and says what is missing when it
# meets the mouse), so a refused installation does not stop the caller.
if ! $sudo install -D -m 0644 "$rule" "$target"; then
  echo "Could not install $target; see README, \"Using a real mouse\"."
  exit 0
fi

# Reload and re-run the rules for hidraw nodes only when udev is running.
if command -v udevadm >/dev/null 2>&1 && [ -S /run/udev/control ]; then
  $sudo udevadm control --reload-rules || true
  $sudo udevadm trigger --subsystem-match=hidraw --action=change || true
fi
