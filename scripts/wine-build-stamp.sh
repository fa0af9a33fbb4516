#!/usr/bin/env bash
# Prints what a Wine prefix depends on of the installed Wine: its version and
# which loaders are installed. A prefix made before the 32-bit loader (wine32)
# came lacks its 32-bit half and must be made again, though the version is
# the same, so every prefix this project keeps is remade when this changes.
printf '%s' "$(wine --version 2>/dev/null)"
for loader in /usr/lib/wine/wine /usr/lib/wine/wine64; do
  [[ -x $loader ]] && printf ' %s' "${loader##*/}"
done
printf '\n'
