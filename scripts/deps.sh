#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libsdl2-dev liblzo2-dev libpng-dev libjpeg62-turbo-dev libfreetype-dev clang-format
          fonts-liberation fonts-dejavu-core)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
# ccache only speeds rebuilds; take it when the registry has it.
dpkg-query -W -f='${Status}' ccache 2>/dev/null | grep -q "install ok installed" || optional=(ccache)

if [ ${#missing[@]} -gt 0 ] || [ -n "${optional:-}" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    if [ ${#missing[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq ccache || true
fi
