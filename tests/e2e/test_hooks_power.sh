#!/usr/bin/env bash
# Power events and other system messages sent to a full-screen saver: which of them end it. Off
# the 9x platform the saver really ends; on the 9x platform a refusing password verifier keeps
# it running, so one saver takes the whole table and each close request shows as one more
# verification. A resume with PBTF_APMRESUMEFROMFAILURE and a power-status change with the mains
# state unchanged do not close. (Wine cannot change the mains state; that case is covered by the
# unit tests.) Switching away, a system key and SC_MONITORPOWER close; switching back does not,
# and SC_SCREENSAVE, SC_NEXTWINDOW and SC_PREVWINDOW are answered 0 without ever reaching the
# default window procedure, as the verifier double, watching from inside the saver, sees.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hooks_helpers.sh"
qw_start
hooks_saver_folder password
hooks_use_password 1
hooks_light_frames

POWER=0x48             # WM_POWER
BROADCAST=0x218        # WM_POWERBROADCAST
ACTIVATEAPP=0x1C       # WM_ACTIVATEAPP
SYSKEYDOWN=0x104       # WM_SYSKEYDOWN
SYSCOMMAND=0x112       # WM_SYSCOMMAND
swallowed=("$SYSCOMMAND:0xF140:0" "$SYSCOMMAND:0xF040:0" "$SYSCOMMAND:0xF050:0")

# Events that leave the saver alone: the resumes after a failed suspend, a status change, and
# WM_POWER's other events.
keep=(
  "$BROADCAST:6:1" "$BROADCAST:7:1" "$BROADCAST:8:1" "$BROADCAST:0x12:1" "$BROADCAST:0x12:3"
  "$BROADCAST:10:0" "$POWER:1:0" "$POWER:2:0" "$ACTIVATEAPP:1:0" "${swallowed[@]}"
)
# Events that close it: WM_POWER's critical resume, the queries and suspends, the resumes, a low
# battery, OEM and other events.
close=(
  "$POWER:3:0"
  "$BROADCAST:0:0" "$BROADCAST:1:0" "$BROADCAST:2:0" "$BROADCAST:3:0" "$BROADCAST:4:0"
  "$BROADCAST:5:0" "$BROADCAST:6:0" "$BROADCAST:7:0" "$BROADCAST:8:0" "$BROADCAST:0x12:0"
  "$BROADCAST:7:2" "$BROADCAST:9:0" "$BROADCAST:11:0" "$BROADCAST:12:0" "$BROADCAST:17:0"
  "$BROADCAST:0x13:0" "$BROADCAST:0x8013:0"
  "$ACTIVATEAPP:0:0" "$SYSKEYDOWN:0x58:0x20000001" "$SYSCOMMAND:0xF170:2"
)

# Off the 9x platform: the saver outlives the first kind and ends at the second.
hooks_start_full_screen
qw_helper messages "$saver_window" 100 "${keep[@]/#/send:}" >/dev/null
qw_expect_running "after the events that keep the saver" 1
hooks_send "$saver_window" "$BROADCAST" 4 0 >/dev/null  # PBT_APMSUSPEND
qw_expect_eq "exit code after a suspend" 0 "$(qw_saver_exit 10)"
hooks_start_full_screen
hooks_send "$saver_window" "$POWER" 3 0 >/dev/null  # PWR_CRITICALRESUME
qw_expect_eq "exit code after a critical resume" 0 "$(qw_saver_exit 10)"

# The 9x platform, one saver for every event: 400 ms apart, clear of the 200 ms in which a
# close request would be refused without asking, and after each close request until its
# verification has ended.
hooks_use_9x
hooks_start_full_screen
report=$(qw_helper messages "$saver_window" 400 "${keep[@]/#/send:}" "${close[@]/#/+send:}")
qw_log "$(echo "$report" | tr '\n' ' ')"
calls=0
for request in "${keep[@]}" "${close[@]}"; do
  line=$(grep -F "send:$request " <<<"$report") || qw_fail "no report for $request"
  now=$(sed -n 's/.* calls=\([0-9]*\)$/\1/p' <<<"$line")
  expected=$calls
  for closing in "${close[@]}"; do
    [ "$closing" = "$request" ] && expected=$((calls + 1))
  done
  qw_expect_eq "verifications after message:event:lParam $request" "$expected" "$now"
  calls=$now
done
qw_expect_running "after every event" 1
for request in "${swallowed[@]}"; do
  grep -qF "send:$request result=0 " <<<"$report" || qw_fail "$request was not answered 0"
done
qw_expect_eq "system commands that reached the default window procedure" 1 \
  "$(hooks_verifier_value SysCommands)"
qw_expect_eq "the one that did" $((0xF170)) "$(hooks_verifier_value LastSysCommand)"
