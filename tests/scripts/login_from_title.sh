#!/usr/bin/env bash
# From the program's start to a login that reaches the game server, in a real X server, as a player
# goes: the title menu's online entry, the first server of the list, the registration screen and
# back, the account and password typed at the keyboard, Enter. A scripted game server on 127.0.0.1
# checks the login record byte for byte. Each screen is waited for until its frame is up, and kept
# as a PNG file. Arguments: this build's bin folder, the session script, the folder for the frames.
set -uo pipefail
account='Alice_2024'
password='Pw-5678!'
. "$(dirname "$0")/program_copy.sh"
. "$(dirname "$0")/scripted_x.sh"

scripted_x_start "$@"
program_start

# Each screen is known by its title, where no widget stands; each click goes to the middle of a
# button or box, where the screen places it.
shows 11-title ModeForm/background.bmp 200 20 400 80
click 400 176 # online play, 178 x 40 at (311, 156)
shows 18-servers ChooseNetForm/background.bmp 260 148 280 44
click 400 250 # the first server, 154 x 22 at (323, 239)
shows 12-login LoginForm/background.bmp 200 118 400 44
click 519 438 # registration, 112 x 40 at (463, 418)
shows 13-register RegForm/background.bmp 200 108 400 44
click 519 498 # back, 112 x 40 at (463, 478)
shows 12-login-again LoginForm/background.bmp 200 118 400 44
rm "$shots/12-login-again.png"
click 453 226 # the account's box, 160 x 26 at (373, 213)
xdotool type --delay 40 -- "$account"
xdotool key Tab
xdotool type --delay 40 -- "$password"
xdotool key Return

server_done login
"$bin/screenshot" --window "$window" "$shots/12-login-sent.png"
program_done
exit 0
