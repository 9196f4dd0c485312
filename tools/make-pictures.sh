#!/usr/bin/env bash
# Draws the program's pictures (our own, simple and flat) as 24-bit BMP files for the
# resource compiler: make-pictures.sh <output folder>. Needs ImageMagick and the CJK font
# that the bootstrap installs. Magenta (255,0,255) marks transparent pixels.
set -euo pipefail
out=$1
mkdir -p "$out"
font=$(fc-match -f '%{file}' 'WenQuanYi Micro Hei')
draw() {  # draw <file> <convert arguments...>
  local file=$1; shift
  # No anti-aliasing: blended edges would mix with the magenta that marks transparency.
  convert +antialias "$@" -type TrueColor "BMP3:$out/$file"
}

# Banner behind the page buttons, with the product name where the link area lies.
draw Banner.bmp -size 784x70 gradient:'#2e8b57-#9fd89a' \
  -font "$font" -fill white -pointsize 30 -annotate +622+44 'Purvex' \
  -pointsize 11 -annotate +626+62 'MarvolentPurvex'
# Page buttons: a broom for the one-click page, gears for the advanced page.
draw BtnClean.bmp -size 40x40 xc:'#ff00ff' -fill '#f4f4f4' -draw 'roundrectangle 1,1 38,38 8,8' \
  -fill '#2e8b57' -draw 'polygon 10,32 22,14 26,18 14,34' -draw 'line 24,16 33,5'
draw BtnAdvanceClean.bmp -size 40x40 xc:'#ff00ff' -fill '#f4f4f4' -draw 'roundrectangle 1,1 38,38 8,8' \
  -fill '#1e6fb8' -draw 'circle 16,20 16,10' -fill '#f4f4f4' -draw 'circle 16,20 16,16' \
  -fill '#1e6fb8' -draw 'circle 28,28 28,22' -fill '#f4f4f4' -draw 'circle 28,28 28,26'
# Home page status panel background.
draw HomepagePanelPure.bmp -size 550x118 gradient:'#ffffff-#e3f3e1' -fill none -stroke '#b5d9b0' \
  -draw 'roundrectangle 0,0 549,117 10,10'
# State pictures: good, needs cleaning, busy; the start link's background.
draw ImgRight.bmp -size 48x48 xc:'#ff00ff' -fill '#3aa757' -draw 'circle 24,24 24,2' \
  -stroke white -strokewidth 5 -fill none -draw 'polyline 13,25 21,33 36,16'
draw ImgError.bmp -size 48x48 xc:'#ff00ff' -fill '#f08c00' -draw 'circle 24,24 24,2' \
  -fill white -draw 'roundrectangle 21,10 27,30 2,2' -draw 'circle 24,37 24,34'
draw ImgBusy.bmp -size 48x48 xc:'#ff00ff' -fill '#1e6fb8' -draw 'circle 24,24 24,2' \
  -fill white -draw 'circle 14,24 14,20' -draw 'circle 24,24 24,20' -draw 'circle 34,24 34,20'
draw ImgStart.bmp -size 160x52 xc:'#ff00ff' -fill '#3aa757' -draw 'roundrectangle 0,0 159,51 14,14'
# Advanced page: scanning, found something, idle.
draw ImgDesc.bmp -size 16x16 xc:'#ff00ff' -fill '#1e6fb8' -draw 'circle 7,7 7,2' -fill '#ff00ff' \
  -draw 'circle 7,7 7,4' -fill '#1e6fb8' -draw 'polygon 10,11 12,9 15,13 13,15'
draw ImgWarn.bmp -size 16x16 xc:'#ff00ff' -fill '#f0b400' -draw 'polygon 8,1 15,14 1,14' \
  -fill black -draw 'rectangle 7,5 8,10' -draw 'rectangle 7,12 8,13'
draw ImgApp.bmp -size 16x16 xc:'#ff00ff' -fill '#3aa757' -draw 'roundrectangle 1,1 14,14 3,3' \
  -stroke white -strokewidth 2 -fill none -draw 'polyline 4,8 7,11 12,5'

# The tree's image list: 87 icons of 16x16 in a strip, each a coloured tile with a glyph.
# The index order is fixed: the catalogue refers to icons by index.
glyphs=(系 运 程 开 窗 查 近 扩 图 e 网 应 画 写 播 F P X R 注 库 W R 表 E U Z 志 单 M 暴 酷 傲 K 件
        火 钥 O C 网 夹 库 包 垃 日 录 收 设 捷 盾 A 办 D 助 类 补 帮 相 信 墙 字 搜 映 剪 文 格 演
        T G 搜 百 看 L 7 迅 旺 盘 截 D G E M Q 空 S)
colors=('#607d8b' '#1e6fb8' '#3aa757' '#8e44ad' '#16a085' '#d35400' '#2c3e50' '#c0392b' '#7f8c8d')
args=(-size 1392x16 xc:'#ff00ff' -font "$font" -pointsize 11)
for i in $(seq 0 86); do
  x=$((i * 16)); c=${colors[$((i % ${#colors[@]}))]}
  args+=(-fill "$c" -draw "roundrectangle $((x + 1)),1 $((x + 14)),14 3,3"
         -fill white -annotate "+$((x + 2))+12" "${glyphs[$i]:-${i}}")
done
draw ImageList.bmp "${args[@]}"
# The program's icon: the broom of the one-click page on green, in the three sizes Windows
# shows (title bar and taskbar, desktop, large views), with real transparency.
convert -size 48x48 xc:none -fill '#3aa757' -draw 'roundrectangle 1,1 46,46 10,10' \
  -stroke white -strokewidth 4 -draw 'line 38,9 26,24' -stroke none \
  -fill white -draw 'polygon 21,20 31,28 22,41 7,33' \
  -stroke '#3aa757' -strokewidth 2 -draw 'line 13,35 21,27' -draw 'line 18,38 26,30' \
  -define icon:auto-resize=48,32,16 "$out/Purvex.ico"
