#!/usr/bin/env bash
# Redraws the program's own icons and animations with ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"

# Round badge with a white sign on it.
badge() { # out colour draw-args...
    local out=$1 colour=$2; shift 2
    convert -size 32x32 xc:none -fill "$colour" -stroke '#333333' -strokewidth 1 \
        -draw 'circle 16,16 16,2' -fill white -stroke white "$@" "$out"
}
badge plus.png '#2e9e4f' -draw 'rectangle 8,14 24,18' -draw 'rectangle 14,8 18,24'
badge minus.png '#c93636' -draw 'rectangle 8,14 24,18'
# Power sign: open ring and a bar.
convert -size 32x32 xc:none -fill '#2f6fbf' -stroke '#333333' -draw 'circle 16,16 16,2' \
    -fill none -stroke white -strokewidth 3 -draw 'arc 8,8 24,24 -50,230' \
    -draw 'line 16,6 16,16' turn.png
# Pencil lying across the icon.
convert -size 32x32 xc:none -stroke '#333333' -strokewidth 1 -fill '#f2c230' \
    -draw 'polygon 6,22 20,8 24,12 10,26' -fill '#e79aa0' -draw 'polygon 20,8 22,6 26,10 24,12' \
    -fill '#5a4630' -draw 'polygon 6,22 10,26 4,28' edit.png
# Hand-held remote with a button pad.
convert -size 32x32 xc:none -stroke '#222222' -strokewidth 1 -fill '#4a4f5a' \
    -draw 'roundrectangle 9,2 23,30 4,4' -fill '#e04848' -draw 'circle 16,8 16,5' \
    -fill '#9fd0ff' -draw 'rectangle 12,13 15,16' -draw 'rectangle 17,13 20,16' \
    -draw 'rectangle 12,19 15,22' -draw 'rectangle 17,19 20,22' control_object.png

# Application icon: a gate under a radio arc, in several sizes.
for s in 16 32 48; do
    convert -size 48x48 xc:none -fill '#1f5fa8' -stroke '#0b2f57' -strokewidth 2 \
        -draw 'roundrectangle 2,2 45,45 8,8' -stroke white -strokewidth 3 -fill none \
        -draw 'line 12,40 12,22' -draw 'line 36,40 36,22' -draw 'line 12,26 36,26' \
        -draw 'line 12,33 36,33' -draw 'line 20,26 20,40' -draw 'line 28,26 28,40' \
        -strokewidth 2 -draw 'arc 14,6 34,26 200,340' -draw 'arc 19,11 29,21 200,340' \
        -resize ${s}x${s} app_$s.png
done
convert app_16.png app_32.png app_48.png app.ico
rm -f app_16.png app_32.png app_48.png

# Waiting: twelve dots, one lit, turning.
frames=()
for i in $(seq 0 11); do
    args=()
    for k in $(seq 0 11); do
        a=$(echo "($k*30-90)*3.14159265/180" | bc -l)
        x=$(printf '%.1f' "$(echo "24+16*c($a)" | bc -l)")
        y=$(printf '%.1f' "$(echo "24+16*s($a)" | bc -l)")
        d=$(( (k - i + 12) % 12 ))
        shade=$(( 60 + d * 15 ))
        args+=(-fill "rgb($shade,$shade,$((shade + 40 > 255 ? 255 : shade + 40)))" -draw "circle $x,$y $x,$(printf '%.1f' "$(echo "$y+3.5" | bc -l)")")
    done
    convert -size 48x48 xc:white "${args[@]}" wait_$i.png
    frames+=(wait_$i.png)
done
convert -delay 8 -loop 0 -dispose previous "${frames[@]}" wait_anim.gif
rm -f wait_*.png

# Searching for the stick: a plug with radio waves growing.
frames=()
for i in 0 1 2 3; do
    args=(-fill '#555555' -stroke '#222222' -draw 'rectangle 4,10 14,22' -fill '#bbbbbb' -draw 'rectangle 14,12 20,20')
    for w in $(seq 1 "$i"); do
        r=$(( 4 + w * 4 ))
        args+=(-fill none -stroke '#d03030' -strokewidth 2 -draw "arc $((20 - r)),$((16 - r)) $((20 + r)),$((16 + r)) -50,50")
    done
    convert -size 32x32 xc:white "${args[@]}" conn_$i.png
    frames+=(conn_$i.png)
done
convert -delay 30 -loop 0 "${frames[@]}" connect_anim.gif
rm -f conn_*.png
