#!/usr/bin/env bash
# quellwire under xsecurelock, as a user sets it up. A -fullscreen saver that an idle tool started
# ends with 0 when the locker takes the keyboard. Under the lock, quellwire as xsecurelock's
# xscreensaver module runs it (the programs: line of ~/.xscreensaver, the program found in
# XSECURELOCK_XSCREENSAVER_PATH), then as its saver itself (XSECURELOCK_SAVER, the colour from
# the settings file), draws the flock on the locker's window, and goes on under the password
# prompt; the password unlocks and ends it; nothing is left running and the root window shows its
# background whole. The test makes a user whose password PAM checks (a system user without home
# or shell, described as the test's own) and removes it: as root only (77 otherwise).
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" -eq 0 ] || { echo "needs root to make the locking user: skipped"; exit 77; }
for program in xsecurelock xrdb xsetroot; do
  command -v "$program" >/dev/null || qw_fail "$program is not installed (scripts/install-deps.sh)"
done

user=quellwire-lock-test
marker="quellwire locker test (made and removed by tests/x11/lockers.sh)"
ours() { [ "$(getent passwd "$user" | cut -d: -f5)" = "$marker" ]; }
if ! ours; then
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
    --comment "$marker" "$user" || qw_fail "could not make the user $user"
fi
user_idle() { ! pgrep -u "$user" >/dev/null; }
qw_after_test() {  # the user's processes end with the display; any left after 10 s are ended
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
mkdir -p "$home/.config/quellwire" "$hacks"
chmod 711 "$qw_tmp"
install -m 755 "$QW_QUELLWIRE" "$hacks/quellwire"
printf 'mode: one\nselected: 0\nprograms: quellwire -root -color ruby \\n\n' >"$home/.xscreensaver"
echo Color=4 >"$home/.config/quellwire/settings" # ruby
chown -R "$user" "$home"
shot="$QW_ARTIFACTS/shot"

# lock <what> <quellwire's command line> <xsecurelock's environment...>: locks as the user, and
# waits for quellwire run so on the locker's window (its pid in $saver) and for its flock.
lock() {
  setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups env -i "HOME=$home" \
    "DISPLAY=$DISPLAY" PATH=/usr/bin:/bin "${@:3}" xsecurelock >"$qw_tmp/$1.log" 2>&1 &
  qw_pids+=($!)
  locker_saver() {
    saver=$(pgrep -u "$user" -f "^$hacks/quellwire -root") &&
      [ "$(tr '\0' ' ' <"/proc/$saver/cmdline")" = "$2" ] &&
      tr '\0' '\n' <"/proc/$saver/environ" | grep -q '^XSCREENSAVER_WINDOW=[1-9]'
  }
  qw_poll 30 locker_saver "$@" || qw_fail "$1: no '$2' under the lock: $(pgrep -a -u "$user")"
  qw_wait_ruby_flock root "$shot-$1.png"
  [ "$lit" -ge 100 ] || qw_fail "$1: expected the flock under the lock, $lit lit pixels ($shot-$1.png)"
  qw_log "$1: the flock under the lock (pid $saver), $lit pixels of its colour"
}
# unlock <what>: a key brings the prompt (that key is not part of the password); the password
# must end the locker, its saver and everything of the user's, and leave the background whole.
unlock() {
  xdotool key space
  qw_poll 20 pgrep -u "$user" -x auth_x11 >/dev/null || qw_fail "$1: no password prompt"
  ! declare -F under_prompt >/dev/null || under_prompt
  xdotool type --delay 40 "$password"
  xdotool key Return
  qw_poll 30 user_idle || qw_fail "$1: still running after the password: $(pgrep -a -u "$user")"
  import -window root "$shot-$1-unlocked.png"
  [ "$(convert "$shot-$1-unlocked.png" -fill black +opaque "$background" -fill white \
    -opaque "$background" -format '%[fx:mean]' info:)" = 1 ] ||
    qw_fail "$1: after the unlock the background does not show whole ($shot-$1-unlocked.png)"
  qw_log "$1: unlocked, nothing left running, the background whole"
}
# The flock goes on around the prompt: lit, and moved since the lock's screenshot.
under_prompt() {
  moved() { compare -metric AE "$shot-module.png" "$shot-prompt.png" null: 2>&1 || true; }
  going_on() { qw_ruby_flock_shown root "$shot-prompt.png" && [ "$(moved)" -ge 1000 ]; }
  qw_poll 20 going_on && kill -0 "$saver" || qw_fail "the flock stopped under the prompt ($shot-prompt.png)"
  qw_log "under the prompt: $lit pixels of its colour, $(moved) changed"
}

qw_start_saver -fullscreen -color emerald
qw_wait_saver_window
lock module "$hacks/quellwire -root -color ruby " XSECURELOCK_SAVER=saver_xscreensaver \
  "XSECURELOCK_XSCREENSAVER_PATH=$hacks"
qw_expect_end "-fullscreen, once the locker took the keyboard" 10
unlock module
unset -f under_prompt
lock direct "$hacks/quellwire -root " "XSECURELOCK_SAVER=$hacks/quellwire"
unlock direct
