# Sourced after lib.sh by the rendering's end-to-end tests: runs the real saver full screen with
# given settings in the registry, keeps a screenshot, and sorts the screenshot's pixels by hue.

QW_RENDER_KEY='HKCU\Software\Orvane\Quellwire'

# render_run_saver <name> <Value=number>...: stores the values, runs the saver full screen, waits
# until its window shows and the flock has grown, keeps the screenshot <name>.png (its path is
# printed and kept in render_shot), then ends the saver with a key press.
render_run_saver() {
  local name=$1 pair
  shift
  for pair in "$@"; do
    qw_reg add "$QW_RENDER_KEY" /v "${pair%%=*}" /t REG_DWORD /d "${pair#*=}" /f ||
      qw_fail "could not store $pair"
  done
  qw_start_saver /s
  [ "$(qw_field count "$(qw_helper describe 20000)")" = 1 ] || qw_fail "no saver window"
  sleep "${QW_RENDER_SETTLE_SECONDS:-4}"
  qw_expect_running "while drawing" 0
  render_shot=$(qw_screenshot "$name")
  echo "screenshot: $render_shot"
  xdotool key a
  qw_expect_eq "exit code after a key press" 0 "$(qw_saver_exit 20)"
}

# render_hues <png>: counts of the picture's lit pixels (brightest channel above 24) by kind, as
# "lit=N red=N grey=N white=N other=N plain=N glow=N":
#   red    red clearly above green, green and blue equal within 8: a ruby hue;
#   grey   all three channels within 16 of each other; white: grey and all above 180;
#   other  anything else;
#   plain, glow: red pixels whose red is 60 to 250 with green / red near Ruby's plain colour
#          (0.20 to 0.36) or near its glow colour (0.05 to 0.18).
render_hues() {
  convert "$1" -depth 8 rgb:- | od -An -v -tu1 -w3 | awk '
    {
      r = $1; g = $2; b = $3
      hi = r; if (g > hi) hi = g; if (b > hi) hi = b
      lo = r; if (g < lo) lo = g; if (b < lo) lo = b
      if (hi <= 24) next
      lit++
      d = g - b; if (d < 0) d = -d
      if (hi - lo <= 16) { grey++; if (lo > 180) white++; next }
      if (r > g + 16 && d <= 8) {
        red++
        if (r >= 60 && r <= 250) {
          q = g / r
          if (q >= 0.20 && q <= 0.36) plain++
          else if (q >= 0.05 && q <= 0.18) glow++
        }
        next
      }
      other++
    }
    END {
      printf "lit=%d red=%d grey=%d white=%d other=%d plain=%d glow=%d\n",
             lit, red, grey, white, other, plain, glow
    }'
}

# render_check <what> <awk condition over lit, red, grey, white, other, plain, glow>
render_check() {
  local what=$1 condition=$2 stats
  stats=$(render_hues "$render_shot")
  echo "$what: $stats"
  awk -v s="$stats" 'BEGIN {
      n = split(s, kv, " ")
      for (i = 1; i <= n; i++) { split(kv[i], p, "="); v[p[1]] = p[2] + 0 }
      lit = v["lit"]; red = v["red"]; grey = v["grey"]; white = v["white"]; other = v["other"]
      plain = v["plain"]; glow = v["glow"]
      exit !('"$condition"') }' || qw_fail "$what: not ($condition) in $stats"
}
