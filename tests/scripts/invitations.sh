#!/usr/bin/env bash
# NetWork mode in a real X server against a scripted game server: in the lobby an invitation to a full
# table is accepted and says so without a word to the server, one to table 5 is accepted and the
# server checks the sit-down; at the table 邀请 opens the list of the room's users at no table, one
# is picked with the mouse and invited, and the server checks the name byte for byte. The screens on
# the way are kept as PNG files. Arguments: this build's bin folder, the session script, the folder
# for the pictures.
set -uo pipefail
. "$(dirname "$0")/program_copy.sh"
. "$(dirname "$0")/scripted_x.sh"

scripted_x_start "$@"
network_lobby
shown=$(windows)

# The invitation box stands in the middle of the frame, its accept button at (307, 317).
shows 2-invitation-full-table InviteMessage/background.bmp 297 346 200 5 277 245
click 349 331
until_up '[ "$(windows)" -gt "$shown" ]' 30 || fail "no box for the full table"
xdotool search --onlyvisible --pid "$game" --name '^Info$' >/dev/null || fail "the box is not the full table's"
"$bin/screenshot" "$shots/3-table-full.png"
xdotool key Return
until_up '[ "$(windows)" = "$shown" ]' 30 || fail "the full table's box stays"
# A line of room chat tells the server to go on.
click 150 556
xdotool type --delay 40 -- ok
xdotool key Return

shows 4-invitation InviteMessage/background.bmp 297 346 200 5 277 245
click 349 331
# At table 5: the table's cloth between the walls, 张三's picture sparkling on the left.
shows 5-table Room.bmp 470 170 60 40
sleep 0.6
"$bin/screenshot" --window "$window" "$shots/6-sparkles.png"
sleep 0.5
"$bin/screenshot" --window "$window" "$shots/7-sparkles-next.png"

# 邀请 at the top right; the list stands in the invitation screen at (244, 194), amy on its first row.
click 732 14
shows 8-invite-screen InviteForm/background.bmp 252 440 100 10 232 124
sleep 0.5
"$bin/screenshot" --window "$window" "$shots/9-invite-list.png"
click 290 230
sleep 0.3
"$bin/screenshot" --window "$window" "$shots/10-amy-picked.png"
click 417 452

server_done "sit-down at table 5 and invitation of amy"
program_done
exit 0
