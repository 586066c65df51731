#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Installs nothing when everything is already present.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
    libsqlite3-dev sqlite3
    libxlsxwriter-dev libzip-dev
    python3-docx python3-openpyxl
    fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "==> all packages present"
    exit 0
fi

echo "==> installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
