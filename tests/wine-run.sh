#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine with the Qt settings of the environment. Wine hands no
# variable whose name begins with QT_ to a Windows program (so that a Linux desktop's Qt settings
# cannot reach it), but hands on WINEQT_... as QT_...: each QT_ setting is passed on that way.
# Qt's offscreen platform, which the widget tests use, reads its fonts from a folder on Windows
# rather than from the system; Windows' own folder has no Arial under Wine, so its metric twin
# from the host stands in, as it does for the game on Wine's desktop.
: "${QT_QPA_FONTDIR:=Z:/usr/share/fonts/truetype/liberation}"
export QT_QPA_FONTDIR
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    export "WINE$name=$(printenv "$name")"
done
exec wine "$@"
