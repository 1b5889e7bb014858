#!/bin/sh
# Lays files into a folder as hard links where the file system allows (the
# linguistic data is large) and as copies else.
#   lay.sh FOLDER FILE...
set -e
folder=$1
shift
mkdir -p "$folder"
for file in "$@"; do
  target=$folder/$(basename "$file")
  ln -f "$file" "$target" 2>/dev/null || cp -f "$file" "$target"
done
