# Sourced after lib.sh by the rendering's end-to-end tests: runs the real saver full screen with
# settings stored in the registry, until a screenshot sorted by hue shows what the test asks.

# render_run_saver <name> <what> <condition> <Value=number>...: stores the values and runs the
# saver until its screenshot meets the condition (render_stats): the flock grows from its first
# frames, more slowly on a busy machine, so a screenshot is taken every second, for up to 30 s.
# Keeps the last screenshot as <name>.png (path printed), ends the saver with a key press, and
# fails when the condition never held.
render_run_saver() {
  local name=$1 what=$2 condition=$3 pair shot stats held=1
  shift 3
  for pair in "$@"; do
    qw_reg add 'HKCU\Software\Orvane\Quellwire' /v "${pair%%=*}" /t REG_DWORD \
      /d "${pair#*=}" /f || qw_fail "could not store $pair"
  done
  qw_start_saver /s
  [ "$(qw_field count "$(qw_helper describe 20000)")" = 1 ] || qw_fail "no saver window"
  for _ in $(seq 1 30); do
    sleep 1
    qw_expect_running "while drawing" 0
    shot=$(qw_screenshot "$name")
    stats=$(render_stats "$shot")
    render_holds "$stats" "$condition" && { held=0; break; }
  done
  echo "$what: $stats (screenshot: $shot)"
  xdotool key a
  qw_expect_eq "exit code after a key press" 0 "$(qw_saver_exit 20)"
  [ "$held" = 0 ] || qw_fail "$what: not ($condition) in $stats"
}

# render_stats <png>: the counts of the screenshot's lit pixels (brightest channel above 24), for
# a condition over them as an awk expression:
#   red    red above green by more than 16, green and blue within 8: a ruby hue;
#   plain, glow: red pixels with red 60 to 250 whose green / red is near Ruby's plain colour
#          (0.20 to 0.36), or near its glow colour (0.05 to 0.18);
#   grey   all channels within 16; white: grey and all above 180; other: the rest.
render_stats() {
  convert "$1" -depth 8 rgb:- | od -An -v -tu1 -w3 | awk '
    {
      r = $1; g = $2; b = $3
      hi = r; if (g > hi) hi = g; if (b > hi) hi = b
      lo = r; if (g < lo) lo = g; if (b < lo) lo = b
      if (hi <= 24) next
      lit++
      d = g - b; if (d < 0) d = -d
      if (hi - lo <= 16) { grey++; if (lo > 180) white++ }
      else if (r > g + 16 && d <= 8) {
        red++
        q = g / r
        if (r >= 60 && r <= 250 && q >= 0.20 && q <= 0.36) plain++
        if (r >= 60 && r <= 250 && q >= 0.05 && q <= 0.18) glow++
      } else other++
    }
    END { printf "lit=%d red=%d grey=%d white=%d other=%d plain=%d glow=%d\n",
                 lit, red, grey, white, other, plain, glow }'
}

# render_holds <stats> <condition>: whether the condition holds over render_stats' counts.
render_holds() {
  awk -v s="$1" 'BEGIN {
      n = split(s, kv, " ")
      for (i = 1; i <= n; i++) { split(kv[i], p, "="); v[p[1]] = p[2] + 0 }
      lit = v["lit"]; red = v["red"]; grey = v["grey"]; white = v["white"]; other = v["other"]
      plain = v["plain"]; glow = v["glow"]
      exit !('"$2"') }'
}
