#!/usr/bin/env bash
# NetWork mode in a real X server against a scripted game server: the login and the lobby, a click
# on a free seat (the server checks the sit-down and refuses it), the user menu of a user in the
# list, its private chat, and Chinese typed into the chat window and sent with Enter, which the
# server checks byte for byte. The screens on the way are kept as PNG files. Arguments: this build's
# bin folder, the session script, the folder for the pictures.
set -uo pipefail
. "$(dirname "$0")/program_copy.sh"
. "$(dirname "$0")/scripted_x.sh"

scripted_x_start "$@"
network_lobby
shown=$(windows)
# A free seat: seat 1 of table 1, a 32 x 32 spot at (141, 144).
xdotool mousemove --window "$window" 157 160 click 1
# The refusal's box comes up over the lobby and takes Enter; the lobby comes back.
until_up '[ "$(windows)" -gt "$shown" ]' 30 || fail "no box for the refused seat"
"$bin/screenshot" "$shots/2-seat-refused.png"
xdotool key Return
until_up '[ "$(windows)" = "$shown" ]' 30 || fail "the refusal's box stays"
# 张三's row, the second of the user list under the room tree (the list's rows begin about 160
# pixels below the panel's top at (593, 96)).
xdotool mousemove --window "$window" 640 287 click 1
until_up '[ "$(windows)" -gt "$shown" ]' 30 || fail "no user menu"
"$bin/screenshot" "$shots/3-user-menu.png"
# From the top, Up wraps round to the last item that may be chosen: the private chat.
xdotool key Up Return
talk=$(timeout 30 xdotool search --sync --onlyvisible --name '交谈中' | head -1)
[ -n "$talk" ] || fail "no private chat window: $shots/3-user-menu.png shows the menu"
xdotool windowfocus --sync "$talk"
sleep 0.3
type_text "$talk" '你好，来一局吗？'
sleep 0.3
"$bin/screenshot" "$shots/4-typed.png"
xdotool key --window "$talk" Return
sleep 1
"$bin/screenshot" "$shots/5-answered.png"

server_done "sit-down and chat line"
program_done
exit 0
