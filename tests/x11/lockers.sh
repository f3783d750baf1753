#!/usr/bin/env bash
# quellwire under xsecurelock, as its xscreensaver module runs it (the programs: list of
# ~/.xscreensaver, the program found in XSECURELOCK_XSCREENSAVER_PATH). A -fullscreen saver that
# an idle tool started before the lock ends with 0 when the locker takes the keyboard; under the
# lock the module's quellwire (-root on the locker's window) shows the flock, and goes on under
# the password prompt; typing the password unlocks, which ends the saver; then nothing is left
# running and the desktop's background shows whole, neither flock nor lock on it.
#
# Unlocking needs a user with a password that PAM accepts: the test makes one (a system user
# without home or shell, named and described as the test's own) and removes it again, so it runs
# only as root (77 otherwise).
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" -eq 0 ] || { echo "needs root to make the locking user: skipped"; exit 77; }
command -v xsecurelock >/dev/null || qw_fail "xsecurelock is not installed (scripts/install-deps.sh)"

user=quellwire-lock-test
marker="quellwire locker test (made and removed by tests/x11/lockers.sh)"
ours() { [ "$(getent passwd "$user" | cut -d: -f5)" = "$marker" ]; }
if getent passwd "$user" >/dev/null; then
  ours || qw_fail "a user $user exists that this test did not make"
else
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
    --comment "$marker" "$user" || qw_fail "could not make the user $user"
fi
# Its processes (the locker and its modules) have ended once the display has; any still there
# after 10 s are ended here, then the user goes.
user_idle() { ! pgrep -u "$user" >/dev/null; }
qw_after_test() {
  local pid
  qw_poll 10 user_idle || for pid in $(pgrep -u "$user"); do kill -KILL "$pid"; done
  ! ours || userdel "$user" || echo "could not remove the user $user" >&2
}
password=$(od -An -N8 -tx1 /dev/urandom | tr -d ' \n')
echo "$user:$password" | chpasswd || qw_fail "could not set the password of $user"

qw_start_display
background='#334455'
xsetroot -solid "$background"
home="$qw_tmp/home"
hacks="$qw_tmp/hacks"
mkdir -p "$home" "$hacks"
chmod 711 "$qw_tmp"
install -m 755 "$QW_QUELLWIRE" "$hacks/quellwire"
printf 'mode: one\nselected: 0\nprograms: quellwire -root -color ruby \\n\n' >"$home/.xscreensaver"
chown -R "$user" "$home"

qw_start_saver -fullscreen -color emerald
qw_wait_saver_window

setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
  env -i "HOME=$home" "DISPLAY=$DISPLAY" PATH=/usr/bin:/bin \
  XSECURELOCK_SAVER=saver_xscreensaver "XSECURELOCK_XSCREENSAVER_PATH=$hacks" \
  xsecurelock >"$qw_tmp/locker.log" 2>&1 &
locker=$!
qw_pids+=("$locker")
qw_expect_end "-fullscreen, when the locker took the keyboard" 20

module_saver() { saver=$(pgrep -u "$user" -x quellwire); }
qw_poll 30 module_saver || qw_fail "the locker started no quellwire; its log: $(cat "$qw_tmp/locker.log")"
args=$(tr '\0' ' ' <"/proc/$saver/cmdline")
[ "$args" = "$hacks/quellwire -root -color ruby " ] || qw_fail "the locker runs '$args'"
window=$(tr '\0' '\n' <"/proc/$saver/environ" | sed -n 's/^XSCREENSAVER_WINDOW=//p')
[ -n "$window" ] || qw_fail "the locker gave its saver no window"
shot="$QW_ARTIFACTS/locked"
qw_wait_ruby_flock root "$shot.png"
[ "$lit" -ge 100 ] || qw_fail "expected the flock under the lock, found $lit lit pixels ($shot.png)"
qw_log "under the lock: quellwire (pid $saver) on the locker's window $window, $lit pixels of its colour"

# A key brings the password prompt (that key is not part of the password); the flock goes on
# around it.
xdotool key space
prompt_shown() { pgrep -u "$user" -x auth_x11 >/dev/null; }
qw_poll 20 prompt_shown || qw_fail "no password prompt; the locker's log: $(cat "$qw_tmp/locker.log")"
# moved <png> <png>: how many pixels differ between the two pictures.
moved() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
flock_goes_on() { qw_ruby_flock_shown root "$shot-prompt.png" && [ "$(moved "$shot.png" "$shot-prompt.png")" -ge 1000 ]; }
qw_poll 20 flock_goes_on && kill -0 "$saver" ||
  qw_fail "the flock did not go on under the prompt: $lit lit pixels ($shot-prompt.png)"
qw_log "under the prompt: $lit pixels of its colour, $(moved "$shot.png" "$shot-prompt.png") changed"

xdotool type --delay 40 "$password"
xdotool key Return
qw_wait_end "$locker" 30
[ "$qw_status" = 0 ] || qw_fail "the locker did not unlock: '$qw_status'; its log: $(cat "$qw_tmp/locker.log")"
saver_ended() { ! kill -0 "$saver" 2>/dev/null; }
qw_poll 5 saver_ended || qw_fail "the saver still runs after the unlock"
qw_poll 10 user_idle || qw_fail "still running after the unlock: $(pgrep -a -u "$user")"
import -window root "$shot-unlocked.png"
[ "$(convert "$shot-unlocked.png" -fill black +opaque "$background" -fill white \
  -opaque "$background" -format '%[fx:mean]' info:)" = 1 ] ||
  qw_fail "after the unlock the desktop's background does not show whole ($shot-unlocked.png)"
qw_log "unlocked: the saver ended, nothing left running, the background shows whole"
