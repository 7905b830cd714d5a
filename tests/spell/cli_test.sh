#!/bin/sh
# quillon-spell with the shipped dictionary: the words it stops at, and suggestions in order.
set -eu
spell=$1
dir=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '<p class="teh">Teh quick brown fox jumps over the the lazy dog.</p>\nMail me at someone@example.com.\n' > "$tmp/page.html"
"$spell" --program-dir "$dir" check "$tmp/page.html" > "$tmp/out"
printf '15\tTeh\n50\tthe\n' | diff - "$tmp/out"
"$spell" --program-dir "$dir" suggest recieve Teh | cut -d, -f1 > "$tmp/sugg"
printf 'recieve: receive\nTeh: The\n' | diff - "$tmp/sugg"
