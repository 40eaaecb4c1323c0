#!/bin/sh
# A game folder whose folders refuse new files and renames, as a game
# installed by another user or on a write-protected share does; its files
# stay writable. Wine cannot mark a folder read-only, so the test set-up
# takes the write permission away on the build machine.
#   read_only_game.sh create|remove FOLDER
set -eu
folder="$2"

remove() {
    [ -d "$folder" ] || return 0
    chmod -R u+w "$folder"
    rm -rf "$folder"
}

case "$1" in
create)
    remove
    mkdir -p "$folder/Songs" "$folder/Images" "$folder/User/Resources/Plain Rules"
    printf 'a' > "$folder/Songs/Dawn.mp3"
    printf 'b' > "$folder/Songs/Road.mp3"
    printf 'Road.mp3\r\n' > "$folder/Songs/Playlist.txt"
    printf 'active' > "$folder/Images/General.ilb"
    printf 'old' > "$folder/Images/General_Old.ilb"
    find "$folder" -type d -exec chmod a-w {} +
    ;;
remove) remove ;;
*) exit 2 ;;
esac
