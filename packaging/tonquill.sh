#!/bin/sh
# Starts Tonquill from <prefix>/lib/tonquill, where its encoder, player module
# and help page lie; this file is installed as <prefix>/bin/tonquill.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/tonquill/tonquill" "$@"
