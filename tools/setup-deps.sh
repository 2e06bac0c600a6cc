#!/usr/bin/env bash
# Installs the Debian packages Rankwise needs to build, run and test,
# but only those that are missing, so a prepared machine costs nothing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config libgtest-dev
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  libsqlcipher-dev sqlcipher
  libfreexl-dev libxlsxwriter-dev libzip-dev libexpat1-dev
  fontconfig fonts-wqy-zenhei
  python3 python3-xlrd python3-xlwt python3-openpyxl
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The designs name their font "宋体"; map it (and SimSun) to the installed CJK font.
conf=/etc/fonts/conf.d/65-rankwise-songti.conf
if [[ ! -f $conf ]] && [[ -w /etc/fonts/conf.d || $(id -u) -eq 0 ]]; then
  cat > "$conf" <<'XML'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same"><family>宋体</family><prefer><family>WenQuanYi Zen Hei</family></prefer></alias>
  <alias binding="same"><family>SimSun</family><prefer><family>WenQuanYi Zen Hei</family></prefer></alias>
</fontconfig>
XML
  fc-cache -f >/dev/null 2>&1 || true
fi
