#!/usr/bin/env bash
# The saver follows its window's size: its own window resized by the user, and a given window
# resized by its owner (as xscreensaver does when a monitor changes). After a hundred quick
# resizes it still runs, its memory has not grown with them, and at the last size the flock is
# drawn over the whole window, centred, lit well beyond where the first size ended.
source "$(dirname "$0")/lib.sh"
qw_start_display

# check_follows <window> <old-width> <old-height> <new-width> <new-height> <what>
check_follows() {
  local window=$1 ow=$2 oh=$3 nw=$4 nh=$5 what=$6 i rss_before rss_after layout
  # Twenty sizes from 200x150 to 960x720, twice round to reach the largest buffers, then five
  # times more, during which the memory must stay about where it was (it wanders by some
  # megabytes as the driver's buffers come and go; glow textures left behind would add a
  # quarter to three megabytes each time).
  # Both measures are taken at the largest size, a second after it was set.
  for i in $(seq 1 139); do
    xdotool windowsize "$window" $((200 + (i % 20) * 40)) $((150 + (i % 20) * 30))
    sleep 0.02
    [ "$i" != 39 ] || { sleep 1; rss_before=$(qw_rss_kb "$qw_saver"); }
  done
  sleep 1
  rss_after=$(qw_rss_kb "$qw_saver")
  xdotool windowsize "$window" "$nw" "$nh"
  qw_expect_running "$what: after 140 resizes" 1
  qw_log "$what: resident memory $rss_before KiB after the first 39 resizes, $rss_after KiB after 139"
  [ $((rss_after - rss_before)) -lt 24576 ] ||
    qw_fail "$what: memory grew by $((rss_after - rss_before)) KiB over the last 100 resizes"
  # The first frame at the last size may take a while on a loaded machine: look again until
  # the picture is right, for up to 15 s.
  local shot="$QW_ARTIFACTS/$what.png" tries
  for tries in $(seq 1 15); do
    import -window "$window" "$shot"
    read -r lit beyond cx cy < <(qw_lit_layout "$shot" "$ow" "$oh")
    [ "$beyond" -ge 2000 ] && [ "$cx" -ge 44 ] && [ "$cx" -le 56 ] && [ "$cy" -ge 44 ] &&
      [ "$cy" -le 56 ] && break
    sleep 1
  done
  qw_log "$what: $lit lit pixels, $beyond beyond ${ow}x$oh, centre at $cx% x $cy%"
  [ "$(identify -format '%wx%h' "$shot")" = "${nw}x$nh" ] || qw_fail "$what: the window is not ${nw}x$nh"
  [ "$beyond" -ge 2000 ] ||
    qw_fail "$what: the flock is not drawn beyond the first size ($beyond of $lit lit pixels)"
  [ "$cx" -ge 44 ] && [ "$cx" -le 56 ] && [ "$cy" -ge 44 ] && [ "$cy" -le 56 ] ||
    qw_fail "$what: the flock is not centred ($cx% x $cy%)"
}

qw_start_saver -glow 2 -wires 100 -color ruby -symmetry
qw_wait_saver_window
check_follows "$(xdotool search --name '^Quellwire$' | head -1)" 960 540 1010 740 own-window
kill -TERM "$qw_saver"
qw_expect_end "own window, SIGTERM" 5

qw_start_test_window 400 300
qw_start_saver -window-id "$qw_window" -glow 1 -wires 100 -color lapis -symmetry
sleep 1
check_follows "$qw_window" 400 300 900 700 given-window
kill "$qw_window_pid"
qw_expect_end "given window destroyed" 5
[ ! -s "$qw_tmp/saver.err" ] || qw_fail "the saver printed: $(head -c 500 "$qw_tmp/saver.err")"
