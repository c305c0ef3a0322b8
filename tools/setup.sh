#!/usr/bin/env bash
# Installs everything the build and the Wine test run need on Debian 12.
# Safe to run again: it does nothing but checks when all is present.
set -euo pipefail

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: run as root (apt-get and locale-gen need it)" >&2
    exit 1
  fi
}

packages=(
  cmake ninja-build
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  googletest
  wine wine32:i386 wine64
  # The video renderer's default presenter needs Direct3D, and Wine's Direct3D
  # needs GL: without these the 32-bit renderer cannot be put in windowless mode.
  libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
  xvfb xauth x11-utils xdotool imagemagick
  locales fonts-ipafont-gothic
  # The program's pictures are drawn at build time.
  python3 python3-pil
  # The guide pages are checked in a headless browser.
  chromium
  # The Windows installer.
  nsis
)

missing=()
for p in "${packages[@]}"; do
  name=${p%%:*}
  arch=${p#*:}
  [ "$arch" = "$p" ] && arch=""
  query=$name
  [ -n "$arch" ] && query="$name:$arch"
  if ! dpkg-query -W -f='${Status}' "$query" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  need_root
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  # A mirror in the middle of a sync refuses one index now and then; the
  # install below still finds the packages through the others, and fails
  # loudly itself when it cannot.
  updated=0
  for attempt in 1 2 3; do
    if apt-get update -qq; then updated=1; break; fi
    echo "setup: apt-get update failed (attempt $attempt)" >&2
    sleep 5
  done
  if ! apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null; then
    [ "$updated" = 1 ] && exit 1
    # Without the 32-bit security index the two halves of a multi-arch
    # package no longer agree on a version: take both from the release.
    echo "setup: installing from the release alone" >&2
    apt-get install -y -qq --no-install-recommends -o APT::Default-Release=bookworm "${missing[@]}" </dev/null
  fi
fi

# Without the Japanese locale Wine's ANSI code page stays 1252.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  need_root
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  fi
  locale-gen >/dev/null
fi

# The posix thread model is the one GoogleTest builds with.
for tool in i686-w64-mingw32-gcc-posix i686-w64-mingw32-g++-posix i686-w64-mingw32-windres wine Xvfb; do
  command -v "$tool" >/dev/null || { echo "setup: $tool missing after install" >&2; exit 1; }
done
