#!/usr/bin/env bash
# Installs the Debian packages and the locale that building and testing need.
# Installs nothing when everything is present; uses sudo only when not root.
set -euo pipefail

packages=(
  make cmake g++ clang libclang-rt-14-dev pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  gcc-mingw-w64-i686-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  wine wine32:i386 fonts-wine xvfb xauth locales
  # The 64-bit check tree, for machines that cannot execute 32-bit programs (see the Makefile).
  gcc-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64
  python3 libpoppler-cpp-dev
  # hunspell's library, which the data compiler analyses and generates forms with.
  libhunspell-dev
  # zlib, which stores the linguistic data's blocks deflated; for Windows its static library.
  zlib1g-dev libz-mingw-w64-dev
  libtesseract-dev tesseract-ocr-slk tesseract-ocr-ces tesseract-ocr-eng python3-pil poppler-utils
  # The dictionaries and thesauri the engine's linguistic data is compiled from (standins/lingdata).
  hunspell-sk hunspell-en-us hunspell-cs hunspell-fr hunspell-de-de hunspell-hu hunspell-pl hunspell-it hunspell-es
  mythes-sk mythes-en-us mythes-cs mythes-fr mythes-de mythes-hu mythes-pl mythes-it mythes-es
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  if ! as_root apt-get update -qq ||
     ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
    echo "install-deps: could not install ${missing[*]}: this needs root (or sudo) and Debian's package servers" >&2
    exit 1
  fi
fi

# Wine shows the Slovak texts in code page 1250 only under a Slovak locale.
if ! locale -a 2>/dev/null | grep -qi '^sk_SK\.utf-\?8$'; then
  echo "Generating the sk_SK.UTF-8 locale"
  as_root sed -i 's/^# *sk_SK.UTF-8 UTF-8/sk_SK.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^sk_SK.UTF-8 UTF-8' /etc/locale.gen || echo 'sk_SK.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
