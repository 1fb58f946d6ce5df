#!/usr/bin/env bash
# Lays the generated artwork out on contact sheets for looking at it:
#   tools/artgen/preview.sh <art folder> <output folder>
# Needs ImageMagick. Magenta keys are shown as the background the pictures
# are meant for; small pictures are enlarged without smoothing.
set -euo pipefail
art=$1
out=$2
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
font=(-font Liberation-Sans -pointsize 11)

# shown <file> <key colour> <background> <scale %> <name>
shown() {
  convert "$1" -fill "$3" -opaque "$2" -scale "$4%" "$tmp/$5.png"
}

sheet() {  # sheet <title> <output> <tile> files...
  local title=$1 file=$2 tile=$3
  shift 3
  montage -label '%t' "${font[@]}" -background '#e4e4e4' -geometry +8+8 -tile "$tile" \
    "$@" -title "$title" "$file"
}

# Window buttons over the metal blue title, as on an active metal frame.
metal_blue="$art/Skins/Metal/brushedmetalblue.bmp"
frame=()
for n in x_m up_m down_m big_m restore_m zoomin_m zoomout_m; do
  convert -size 28x14 "tile:$metal_blue" \( "$art/$n.bmp" -transparent '#c0c0c0' \) -composite \
    -scale 600% "$tmp/$n.png"
  frame+=("$tmp/$n.png")
done
for n in sysm_m ecke_m rundlo rundro rundlu rundru; do
  shown "$art/$n.bmp" '#ff00ff' '#c0c0c0' 600 "$n"
  frame+=("$tmp/$n.png")
done
sheet "Frame glyphs (x6)" "$out/frame.png" 7x "${frame[@]}"

# Check boxes: every box alone, then marks drawn over the boxes they go with.
checks=()
for n in blank blankflat enabled enabledflat blankrnd blankflatrnd enabledrnd enabledflatrnd; do
  shown "$art/$n.bmp" '#ff00ff' '#d4d0c8' 600 "$n"
  checks+=("$tmp/$n.png")
done
for pair in blank:checkiks blank:checkok blankrnd:checkelli blank:checkeiksb blankflat:checkiksg \
            blankflat:checkokg blankflat:checkokr blank:iksgray blankflat:checkgray blank:qmr \
            blank:qmb blankflat:qmg; do
  box=${pair%%:*} mark=${pair##*:}
  convert "$art/$box.bmp" -transparent '#ff00ff' \( "$art/$mark.bmp" -transparent '#ff00ff' \) \
    -composite -background '#d4d0c8' -flatten -scale 600% "$tmp/${box}+${mark}.png"
  checks+=("$tmp/${box}+${mark}.png")
done
sheet "Check boxes (x6)" "$out/checkboxes.png" 8x "${checks[@]}"

# Tool buttons over brushed metal, the main window's background.
metal="$art/Skins/Metal/brushedmetal.bmp"
tools=()
for n in glyph_update glyph_explore glyph_explorer glyph_help glyph_cross glyph_filter \
         glyph_fname glyph_batch; do
  size=$(identify -format '%wx%h' "$art/$n.bmp")
  convert -size "$size" "tile:$metal" \( "$art/$n.bmp" -transparent '#ff00ff' \) -composite \
    -scale 500% "$tmp/$n.png"
  tools+=("$tmp/$n.png")
done
sheet "Tool glyphs: active, idle, disabled (x5)" "$out/tools.png" 2x "${tools[@]}"

panes=()
for n in drive_floppy drive_fixed drive_cdrom drive_net drive_ram drive_removable folder_open \
         folder_current folder_closed file_exe file_doc; do
  shown "$art/$n.bmp" '#ff00ff' white 600 "$n"
  panes+=("$tmp/$n.png")
done
sheet "File-pane glyphs (x6)" "$out/panes.png" 6x "${panes[@]}"

convert "$art/orvquill.ico[1]" -background '#3a6ea5' -flatten -scale 800% "$tmp/icon32.png"
convert "$art/orvquill.ico[0]" -background '#3a6ea5' -flatten -scale 800% "$tmp/icon16.png"
shown "$art/icon16.bmp" '#ff00ff' '#b4b9c2' 800 icon16_bitmap
convert "$art/handd.cur" -background '#6a9a6a' -flatten -scale 800% "$tmp/handd.png"
sheet "Icon, system-menu bitmap and hand cursor (x8)" "$out/icons.png" 4x \
  "$tmp/icon32.png" "$tmp/icon16.png" "$tmp/icon16_bitmap.png" "$tmp/handd.png"

buttons=()
for f in "$art"/Skins/Buttons/*.bmp; do
  n=$(basename "$f" .bmp)
  convert "$f" -scale 300% "$tmp/btn_$n.png"
  buttons+=("$tmp/btn_$n.png")
done
sheet "Button faces (x3)" "$out/buttons.png" 3x "${buttons[@]}"

metals=()
for n in brushedmetal brushedmetalblue brushedmetallight; do
  convert "$art/Skins/Metal/$n.bmp" \( +clone \) +append \( +clone \) -append "$tmp/$n.png"
  metals+=("$tmp/$n.png")
done
sheet "Metal textures, tiled 2 x 2" "$out/metal.png" 3x "${metals[@]}"

# A shaded window put together from its pieces, active and inactive.
shades="$art/Skins/Shades"
for active in 1 0; do
  W=320 H=160
  title=$shades/titlebar.png
  extra=()
  if [ $active = 1 ]; then
    title=$shades/titlebarActive.png
    extra=(\( "$shades/titleshadow.png" -resize $((W - 20))x5\! \) -geometry +10+22 -composite)
  fi
  convert -size ${W}x${H} xc:'#d2d2d2' \
    \( "$title" -resize ${W}x22\! \) -geometry +0+0 -composite \
    \( "$shades/borderW.png" -resize 10x$((H - 32))\! \) -geometry +0+22 -composite \
    \( "$shades/borderE.png" -resize 10x$((H - 32))\! \) -geometry +$((W - 10))+22 -composite \
    \( "$shades/borderS.png" -resize $((W - 10))x10\! \) -geometry +10+$((H - 10)) -composite \
    \( "$shades/borderSW.png" \) -geometry +0+$((H - 10)) -composite "${extra[@]}" \
    -scale 200% "$tmp/shaded$active.png"
done
sheet "Shaded look, active and inactive (x2)" "$out/shaded.png" 2x "$tmp/shaded1.png" "$tmp/shaded0.png"

convert -background '#e4e4e4' -gravity center "$out/frame.png" "$out/checkboxes.png" \
  "$out/tools.png" "$out/panes.png" "$out/icons.png" "$out/buttons.png" "$out/metal.png" \
  "$out/shaded.png" -append "$out/contact-sheet.png"
echo "contact sheets in $out"
