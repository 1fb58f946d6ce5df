#!/usr/bin/env bash
# Lays the generated artwork out on contact sheets for looking at it:
#   tools/artgen/preview.sh <art folder> <output folder> [100|150|200]
# Needs ImageMagick. Magenta keys are shown as the background the pictures
# are meant for; small pictures are enlarged without smoothing, less for
# the larger scales, so that every scale's sheet shows its pixels alike.
set -euo pipefail
art=$1
out=$2
scale=${3:-100}
sfx=""
[ "$scale" = 100 ] || sfx="@$scale"
# f <path without .ext> <ext>: the picture of the chosen scale
f() { echo "$1$sfx.$2"; }
# z <percent at 100 %>: the enlargement for the chosen scale
z() { echo $(( $1 * 100 / scale )); }
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
font=(-font Liberation-Sans -pointsize 11)

# shown <file> <key colour> <background> <scale %> <name>
shown() {
  convert "$1" -fill "$3" -opaque "$2" -scale "$(z "$4")%" "$tmp/$5.png"
}

sheet() {  # sheet <title> <output> <tile> files...
  local title=$1 file=$2 tile=$3
  shift 3
  montage -label '%t' "${font[@]}" -background '#e4e4e4' -geometry +8+8 -tile "$tile" \
    "$@" -title "$title" "$file"
}

# Window buttons over the metal blue title, as on an active metal frame.
metal_blue=$(f "$art/Skins/Metal/brushedmetalblue" bmp)
frame=()
for n in x_m up_m down_m big_m restore_m zoomin_m zoomout_m; do
  size=$(identify -format '%wx%h' "$(f "$art/$n" bmp)")
  convert -size "$size" "tile:$metal_blue" \( "$(f "$art/$n" bmp)" -transparent '#c0c0c0' \) -composite \
    -scale "$(z 600)%" "$tmp/$n.png"
  frame+=("$tmp/$n.png")
done
for n in sysm_m ecke_m rundlo rundro rundlu rundru; do
  shown "$(f "$art/$n" bmp)" '#ff00ff' '#c0c0c0' 600 "$n"
  frame+=("$tmp/$n.png")
done
sheet "Frame glyphs (x6)" "$out/frame.png" 7x "${frame[@]}"

# Check boxes: every box alone, then marks drawn over the boxes they go with.
checks=()
for n in blank blankflat enabled enabledflat blankrnd blankflatrnd enabledrnd enabledflatrnd; do
  shown "$(f "$art/$n" bmp)" '#ff00ff' '#d4d0c8' 600 "$n"
  checks+=("$tmp/$n.png")
done
for pair in blank:checkiks blank:checkok blankrnd:checkelli blank:checkeiksb blankflat:checkiksg \
            blankflat:checkokg blankflat:checkokr blank:iksgray blankflat:checkgray blank:qmr \
            blank:qmb blankflat:qmg; do
  box=${pair%%:*} mark=${pair##*:}
  convert "$(f "$art/$box" bmp)" -transparent '#ff00ff' \( "$(f "$art/$mark" bmp)" -transparent '#ff00ff' \) \
    -composite -background '#d4d0c8' -flatten -scale "$(z 600)%" "$tmp/${box}+${mark}.png"
  checks+=("$tmp/${box}+${mark}.png")
done
sheet "Check boxes (x6)" "$out/checkboxes.png" 8x "${checks[@]}"

# Tool buttons over brushed metal, the main window's background.
metal=$(f "$art/Skins/Metal/brushedmetal" bmp)
tools=()
for n in glyph_update glyph_explore glyph_explorer glyph_help glyph_cross glyph_filter \
         glyph_fname glyph_batch; do
  size=$(identify -format '%wx%h' "$(f "$art/$n" bmp)")
  convert -size "$size" "tile:$metal" \( "$(f "$art/$n" bmp)" -transparent '#ff00ff' \) -composite \
    -scale "$(z 500)%" "$tmp/$n.png"
  tools+=("$tmp/$n.png")
done
sheet "Tool glyphs: active, idle, disabled (x5)" "$out/tools.png" 2x "${tools[@]}"

panes=()
for n in drive_floppy drive_fixed drive_cdrom drive_net drive_ram drive_removable folder_open \
         folder_current folder_closed file_exe file_doc; do
  shown "$(f "$art/$n" bmp)" '#ff00ff' white 600 "$n"
  panes+=("$tmp/$n.png")
done
sheet "File-pane glyphs (x6)" "$out/panes.png" 6x "${panes[@]}"

# Every image of the icon, each enlarged to the same 256 pixels.
icons=()
i=0
for side in 16 20 24 32 40 48 64 256; do
  convert "$art/orvquill.ico[$i]" -background '#3a6ea5' -flatten -scale 256x256 "$tmp/icon$side.png"
  icons+=("$tmp/icon$side.png")
  i=$((i + 1))
done
shown "$(f "$art/icon16" bmp)" '#ff00ff' '#b4b9c2' 800 icon16_bitmap
convert "$art/handd.cur" -background '#6a9a6a' -flatten -scale 800% "$tmp/handd.png"
sheet "Icon (16 to 256, each shown 256 wide), system-menu bitmap and hand cursor" "$out/icons.png" 4x \
  "${icons[@]}" "$tmp/icon16_bitmap.png" "$tmp/handd.png"

buttons=()
for face in "$art"/Skins/Buttons/*.bmp; do
  n=$(basename "$face" .bmp)
  case $n in
    *@*) [ "${n#*@}" = "$scale" ] || continue ;;
    *) [ "$scale" = 100 ] || continue ;;
  esac
  convert "$face" -scale "$(z 300)%" "$tmp/btn_$n.png"
  buttons+=("$tmp/btn_$n.png")
done
sheet "Button faces (x3)" "$out/buttons.png" 3x "${buttons[@]}"

metals=()
for n in brushedmetal brushedmetalblue brushedmetallight; do
  convert "$(f "$art/Skins/Metal/$n" bmp)" \( +clone \) +append \( +clone \) -append "$tmp/$n.png"
  metals+=("$tmp/$n.png")
done
sheet "Metal textures, tiled 2 x 2" "$out/metal.png" 3x "${metals[@]}"

# A shaded window put together from its pieces, active and inactive.
shades="$art/Skins/Shades"
# p <n>: n pixels of 100 % at the chosen scale
p() { echo $(( ($1 * scale + 50) / 100 )); }
for active in 1 0; do
  W=$(p 320) H=$(p 160) T=$(p 22) B=$(p 10) S=$(p 5)
  title=$(f "$shades/titlebar" png)
  extra=()
  if [ $active = 1 ]; then
    title=$(f "$shades/titlebarActive" png)
    extra=(\( "$(f "$shades/titleshadow" png)" -resize $((W - 2 * B))x$S\! \) -geometry +$B+$T -composite)
  fi
  convert -size ${W}x${H} xc:'#d2d2d2' \
    \( "$title" -resize ${W}x$T\! \) -geometry +0+0 -composite \
    \( "$(f "$shades/borderW" png)" -resize ${B}x$((H - T - B))\! \) -geometry +0+$T -composite \
    \( "$(f "$shades/borderE" png)" -resize ${B}x$((H - T - B))\! \) -geometry +$((W - B))+$T -composite \
    \( "$(f "$shades/borderS" png)" -resize $((W - B))x$B\! \) -geometry +$B+$((H - B)) -composite \
    \( "$(f "$shades/borderSW" png)" \) -geometry +0+$((H - B)) -composite "${extra[@]}" \
    -scale "$(z 200)%" "$tmp/shaded$active.png"
done
sheet "Shaded look, active and inactive" "$out/shaded.png" 2x "$tmp/shaded1.png" "$tmp/shaded0.png"

convert "$(f "$art/intro" jpg)" "$out/intro.png"

convert -background '#e4e4e4' -gravity center "$out/frame.png" "$out/checkboxes.png" \
  "$out/tools.png" "$out/panes.png" "$out/icons.png" "$out/buttons.png" "$out/metal.png" \
  "$out/shaded.png" -append "$out/contact-sheet.png"
echo "contact sheets of $scale % in $out"
