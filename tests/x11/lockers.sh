#!/usr/bin/env bash
# quellwire under X11 lockers and idle tools, as a user sets them up.
# - xsecurelock with its xscreensaver module (the programs: list of ~/.xscreensaver, the program
#   found in XSECURELOCK_XSCREENSAVER_PATH): a -fullscreen saver that an idle tool started before
#   the lock ends with 0 when the locker takes the keyboard; under the lock the module's quellwire
#   (-root on the locker's window) shows the flock and goes on under the password prompt; the
#   password unlocks, which ends it; then nothing is left running and the desktop's background
#   shows whole.
# - xss-lock (on a private system bus with a stand-in for logind) running `quellwire -fullscreen`
#   as its notifier after idle: the X screen saver reset (activity that reaches no window) makes
#   xss-lock end it with SIGHUP, and it ends with 0 leaving the background whole; when the idle
#   time goes on, the locker comes, xss-lock ends the notifier (SIGTERM, or it saw the grab) with
#   0, and the locker's saver (here quellwire itself, XSECURELOCK_SAVER naming it, its colour
#   from the settings file) shows the flock on the locker's window; the password unlocks again.
#
# Unlocking needs a user with a password that PAM accepts: the test makes one (a system user
# without home or shell, named and described as the test's own) and removes it again, so it runs
# only as root (77 otherwise). The locker, xss-lock and their savers run as that user.
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" -eq 0 ] || { echo "needs root to make the locking user: skipped"; exit 77; }
for program in xsecurelock xss-lock dbus-daemon xsetroot xrdb; do
  command -v "$program" >/dev/null || qw_fail "$program is not installed (scripts/install-deps.sh)"
done

user=quellwire-lock-test
marker="quellwire locker test (made and removed by tests/x11/lockers.sh)"
ours() { [ "$(getent passwd "$user" | cut -d: -f5)" = "$marker" ]; }
if getent passwd "$user" >/dev/null; then
  ours || qw_fail "a user $user exists that this test did not make"
else
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
    --comment "$marker" "$user" || qw_fail "could not make the user $user"
fi
# The user's processes (lockers, modules, savers) end with the display; any still there after
# 10 s are ended here, then the user goes.
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
mkdir -p "$home/.config/quellwire"
echo Color=4 >"$home/.config/quellwire/settings"  # ruby
chown -R "$user" "$home"
module=(env XSECURELOCK_SAVER=saver_xscreensaver "XSECURELOCK_XSCREENSAVER_PATH=$hacks" xsecurelock)
direct=(env "XSECURELOCK_SAVER=$hacks/quellwire" xsecurelock)
# as_user <command...>: runs it as the user with nothing of this shell's environment but the
# display and the bus (setpriv and env replace themselves, so $! is the command's pid).
as_user() {
  setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
    env -i "HOME=$home" "DISPLAY=$DISPLAY" PATH=/usr/bin:/bin \
    "DBUS_SYSTEM_BUS_ADDRESS=${DBUS_SYSTEM_BUS_ADDRESS:-}" "$@"
}
shot="$QW_ARTIFACTS/shot"

# locker_saver_runs <command line>: the locker runs quellwire so, on its own window; its pid in
# $saver.
locker_saver_runs() {
  saver=$(pgrep -u "$user" -f "^$hacks/quellwire -root") || return 1
  [ "$(tr '\0' ' ' <"/proc/$saver/cmdline")" = "$1" ] &&
    tr '\0' '\n' <"/proc/$saver/environ" | grep -q '^XSCREENSAVER_WINDOW=[1-9]'
}
# expect_flock_under_lock <what> <command line>: the locker's quellwire runs and its flock shows.
expect_flock_under_lock() {
  qw_poll 30 locker_saver_runs "$2" ||
    qw_fail "$1: the locker runs no quellwire as '$2': $(pgrep -a -u "$user")"
  qw_wait_ruby_flock root "$shot-$1.png"
  [ "$lit" -ge 100 ] || qw_fail "$1: expected the flock under the lock, $lit lit pixels ($shot-$1.png)"
  qw_log "$1: the flock under the lock (pid $saver), $lit pixels of its colour"
}
prompt_shown() { pgrep -u "$user" -x auth_x11 >/dev/null; }
# A key brings the password prompt (that key is not part of the password).
show_prompt() {
  xdotool key space
  qw_poll 20 prompt_shown || qw_fail "no password prompt: $(pgrep -a -u "$user")"
}
locker_runs() { pgrep -u "$user" -x xsecurelock >/dev/null; }
# unlock <what>: types the password; the locker and its saver must end.
unlock() {
  xdotool type --delay 40 "$password"
  xdotool key Return
  qw_poll 30 eval '! locker_runs' || qw_fail "$1: the password did not unlock"
  qw_poll 5 eval '! kill -0 "$saver" 2>/dev/null' || qw_fail "$1: the saver still runs after the unlock"
}
# expect_background <what>: the root window shows its background whole.
expect_background() {
  import -window root "$shot-$1.png"
  [ "$(convert "$shot-$1.png" -fill black +opaque "$background" -fill white \
    -opaque "$background" -format '%[fx:mean]' info:)" = 1 ] ||
    qw_fail "$1: the desktop's background does not show whole ($shot-$1.png)"
  qw_log "$1: the background shows whole"
}

# xsecurelock started by hand over a full-screen saver.
qw_start_saver -fullscreen -color emerald
qw_wait_saver_window
as_user "${module[@]}" >"$qw_tmp/locker.log" 2>&1 &
qw_pids+=($!)
qw_expect_end "-fullscreen, when the locker took the keyboard" 20
expect_flock_under_lock locked "$hacks/quellwire -root -color ruby "
show_prompt
moved() { compare -metric AE "$shot-locked.png" "$shot-prompt.png" null: 2>&1 || true; }
flock_goes_on() { qw_ruby_flock_shown root "$shot-prompt.png" && [ "$(moved)" -ge 1000 ]; }
qw_poll 20 flock_goes_on && kill -0 "$saver" ||
  qw_fail "the flock did not go on under the prompt: $lit lit pixels ($shot-prompt.png)"
qw_log "under the prompt: $lit pixels of its colour, $(moved) changed"
unlock "xsecurelock"
qw_poll 10 user_idle || qw_fail "still running after the unlock: $(pgrep -a -u "$user")"
expect_background unlocked

# xss-lock: the saver after 2 s of idle time, the locker 600 s later (3 s in the second round).
bus="$qw_tmp/bus"
cat >"$qw_tmp/bus.conf" <<CONF
<busconfig>
  <type>system</type>
  <listen>unix:path=$bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/> <allow own="*"/>
    <allow send_type="method_call"/> <allow send_type="signal"/>
    <allow send_type="method_return"/> <allow send_type="error"/>
    <allow receive_type="method_call"/> <allow receive_type="signal"/>
    <allow receive_type="method_return"/> <allow receive_type="error"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$qw_tmp/bus.conf" --nofork --nosyslog 2>"$qw_tmp/bus.err" &
qw_pids+=($!)
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$bus"
qw_poll 10 test -S "$bus" || qw_fail "the private system bus did not start: $(cat "$qw_tmp/bus.err")"
/usr/bin/python3 "$(dirname "$0")/logind_stand_in.py" >"$qw_tmp/logind.out" 2>&1 &
qw_pids+=($!)
qw_poll 20 grep -qs ready "$qw_tmp/logind.out" || qw_fail "no logind stand-in: $(cat "$qw_tmp/logind.out")"

# The notifier passes xss-lock's signals on to the saver and notes which came and how the saver
# ended ("self" when it ended by itself first).
notes="$home/notifier.log"
cat >"$qw_tmp/notifier" <<'NOTIFIER'
#!/bin/bash
"$@" &
saver=$!
trap 'kill -HUP $saver; wait $saver; echo "HUP $?" >>"$HOME/notifier.log"; exit' HUP
trap 'kill -TERM $saver; wait $saver; echo "TERM $?" >>"$HOME/notifier.log"; exit' TERM
wait $saver
echo "self $?" >>"$HOME/notifier.log"
NOTIFIER
chmod 755 "$qw_tmp/notifier"
notifier_saver_runs() { notified=$(pgrep -u "$user" -f "^$hacks/quellwire -fullscreen"); }
noted() { [ "$(sed -n "$1p" "$notes" 2>/dev/null)" != "" ]; }

xset s 2 600
xdotool mousemove 510 400
as_user xss-lock -n "$qw_tmp/notifier $hacks/quellwire -fullscreen -color ruby" -l -- "${direct[@]}" \
  >"$qw_tmp/xss-lock.log" 2>&1 &
xss_lock=$!
qw_pids+=("$xss_lock")
qw_poll 30 notifier_saver_runs || qw_fail "xss-lock started no notifier: $(cat "$qw_tmp/xss-lock.log")"
qw_wait_ruby_flock root "$shot-notifier.png"
[ "$lit" -ge 100 ] || qw_fail "xss-lock's notifier: $lit lit pixels ($shot-notifier.png)"
xset s 600 600  # no new idle period while this round is looked at
xset s reset
qw_poll 10 noted 1 || qw_fail "the notifier did not end when the screen saver was reset"
[ "$(sed -n 1p "$notes")" = "HUP 0" ] || qw_fail "xss-lock's SIGHUP: the notifier noted '$(cat "$notes")'"
qw_log "xss-lock's notifier after idle, its SIGHUP on activity: ended with 0"
expect_background "after-sighup"

xset s 2 3
qw_poll 30 notifier_saver_runs || qw_fail "xss-lock started no notifier the second time"
qw_poll 30 locker_runs || qw_fail "xss-lock started no locker: $(cat "$qw_tmp/xss-lock.log")"
qw_poll 10 noted 2 || qw_fail "the notifier did not end when the locker came"
grep -qx "TERM 0\|self 0" <(sed -n 2p "$notes") ||
  qw_fail "the locker came: the notifier noted '$(sed -n 2p "$notes")'"
qw_log "xss-lock's locker came: the notifier ended with 0 ($(sed -n 2p "$notes"))"
expect_flock_under_lock xss-locked "$hacks/quellwire -root "
xset s 600 600
show_prompt
unlock "xss-lock"
kill -0 "$xss_lock" || qw_fail "xss-lock ended with the unlock"
expect_background "xss-unlocked"
