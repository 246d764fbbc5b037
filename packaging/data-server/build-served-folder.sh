#!/bin/sh
# Fills the folder that the data server serves: OUT/caipiaoshuju/ gets every draw history of DATA
# (its *.txt files named as the catalogue names data files, with lower-case letters, digits, "-"
# and "_"), byte for byte and readable by the web server; histories that DATA no longer has are
# removed. Each file is written beside its place and renamed into it, so that a server running
# meanwhile never sends half a file. Run it again whenever DATA changes.
#   build-served-folder.sh DATA OUT
set -eu
if [ $# -ne 2 ] || [ ! -d "$1" ]; then
    echo "usage: build-served-folder.sh DATA_FOLDER SERVED_FOLDER" >&2
    exit 2
fi
data=$1
served="$2/caipiaoshuju"
mkdir -p "$served"
chmod 755 "$2" "$served"

is_history() {
    case "${1%.txt}" in
    "" | *[!a-z0-9_-]*) return 1 ;;
    esac
}

count=0
for file in "$data"/*.txt; do
    name=$(basename "$file")
    [ -f "$file" ] && is_history "$name" || continue
    cp "$file" "$served/.$name.new"
    chmod 644 "$served/.$name.new"
    mv -f "$served/.$name.new" "$served/$name"
    count=$((count + 1))
done
if [ "$count" -eq 0 ]; then
    echo "build-served-folder.sh: no draw history (*.txt) in $data" >&2
    exit 1
fi

for file in "$served"/*.txt; do
    name=$(basename "$file")
    [ -f "$file" ] && { [ ! -f "$data/$name" ] || ! is_history "$name"; } && rm -f "$file"
done
echo "$count draw histories in $served"
