#!/bin/sh
# Installed as /usr/libexec/quorvenda/quorvenda-launch: what the menu entry
# (and a copy of it in ~/.config/autostart) runs. The clock reads its two
# files from the folder it starts in; started without a terminal, that folder
# would be whatever the desktop chose, so this starts it in the user's own
# folder, ${XDG_CONFIG_HOME:-~/.config}/quorvenda.
#
# On first use the folder is made and given the sample files, but only when
# neither file is there: a file of the user's is never overwritten, and a
# user who keeps only one of the two keeps it that way. A folder that cannot
# be made or entered is reported and the clock starts all the same (without
# its files it shows no events and black hands, as it does anywhere else).
samples=/usr/share/quorvenda

# A relative XDG_CONFIG_HOME names no fixed place, so it is ignored as other desktop programs ignore it.
case ${XDG_CONFIG_HOME:-} in
  /*) config=$XDG_CONFIG_HOME ;;
  *) config=${HOME:?}/.config ;;
esac
folder=$config/quorvenda

has() { [ -e "$folder/$1" ] || [ -L "$folder/$1" ]; }

if mkdir -p "$folder" && cd "$folder"; then
  if ! has quorvendadata1.txt && ! has quorvendacolor.ini; then
    cp "$samples/quorvendadata1.txt" "$samples/quorvendacolor.ini" . ||
      echo "quorvenda-launch: could not copy the sample files into $folder" >&2
  fi
else
  echo "quorvenda-launch: cannot use $folder; the clock starts in $PWD" >&2
fi
exec /usr/bin/quorvenda "$@"
