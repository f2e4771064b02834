#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the udev rule that lets the logged-in user talk to the KX-507's
# hidraw nodes, when it is missing or differs, and applies it to the nodes
# already present. Safe to run again; on a machine without udev (a container)
# it only says so.
#
# Without the rule the program still runs (and says what is missing when it
# meets the mouse), so this script never stops its caller: whatever keeps it
# from installing the rule, it says so and what to run later, and exits 0.
#
# Environment:
#   KX_SUDO            the command that runs a command as root when you are not
#                      root (default: sudo; doas works as well)
#   KX_UDEV_RULES_DIR  the folder the rule goes into (default:
#                      /etc/udev/rules.d); udev is reloaded only for the default
set -euo pipefail
script=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
root=$(cd "$(dirname "$0")/.." && pwd)
rule="$root/res/udev/70-kx507.rules"
rules_dir=${KX_UDEV_RULES_DIR:-/etc/udev/rules.d}
target="$rules_dir/$(basename "$rule")"
readme='(see README, "Using a real mouse")'

if [ ! -d "$(dirname "$rules_dir")" ]; then
  echo "udev is not installed here: the KX-507 udev rule is not needed."
  exit 0
fi

if cmp -s "$rule" "$target"; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo=${KX_SUDO:-sudo}
  if ! command -v "$sudo" >/dev/null 2>&1; then
    echo "Not installing $target: $sudo is missing. To use the mouse without root, run $script again later as root, or once $sudo is installed $readme."
    exit 0
  fi
  echo "Installing $target so that you can use the mouse without root ($sudo may ask for your password)."
fi

if ! $sudo install -D -m 0644 "$rule" "$target"; then
  echo "Could not install $target. To use the mouse without root, run $script again later $readme."
  exit 0
fi
echo "Installed $target."

# Reload and re-run the rules for hidraw nodes only when udev is running.
if [ -z "${KX_UDEV_RULES_DIR:-}" ] && command -v udevadm >/dev/null 2>&1 && [ -S /run/udev/control ]; then
  $sudo udevadm control --reload-rules || true
  $sudo udevadm trigger --subsystem-match=hidraw --action=change || true
fi
