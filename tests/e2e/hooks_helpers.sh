# Sourced after lib.sh by the system hooks' end-to-end tests. They run a copy of the saver in a
# folder of the test's own, beside the test doubles of the system's password libraries that a
# test asks for, so that LoadLibraryA finds them there and nowhere else.

QW_PASSWORD_DOUBLE="$QW_WINSIDE/password_cpl/PASSWORD.CPL"
QW_CHANGE_DOUBLE="$QW_WINSIDE/mpr_double/MPR.DLL"
QW_PASSWORD_DOUBLE_KEY='HKCU\Software\Quellwire Tests\Password Double'
QW_CHANGE_DOUBLE_KEY='HKCU\Software\Quellwire Tests\Password Change Double'
QW_DESKTOP_KEY='HKCU\Control Panel\Desktop'

# hooks_saver_folder [password] [change] [no-verifier]: copies the saver into a fresh folder,
# with the verifier double (password), the password-change double (change), or a PASSWORD.CPL
# without a verifier (no-verifier: the password-change double under that name) beside it as
# asked, and points qw_start_saver at the copy.
hooks_saver_folder() {
  local folder="$qw_tmp/saver" double
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$QW_WIN_BUILD/QuellwireGL.scr" "$folder/"
  for double in "$@"; do
    case "$double" in
      password) cp "$QW_PASSWORD_DOUBLE" "$folder/PASSWORD.CPL" ;;
      change) cp "$QW_CHANGE_DOUBLE" "$folder/MPR.DLL" ;;
      no-verifier) cp "$QW_CHANGE_DOUBLE" "$folder/PASSWORD.CPL" ;;
      *) qw_fail "no test double named $double" ;;
    esac
  done
  QW_SCR="$folder/QuellwireGL.scr"
}

# The saver sees the 9x platform: Wine reports it to this program only.
hooks_use_9x() {
  qw_reg add 'HKCU\Software\Wine\AppDefaults\QuellwireGL.scr' /v Version /d win98 /f ||
    qw_fail "could not select the 9x platform"
}

# hooks_use_password <number|absent>: the user's "ScreenSaveUsePassword" desktop setting.
hooks_use_password() {
  if [ "$1" = absent ]; then
    qw_reg delete "$QW_DESKTOP_KEY" /v ScreenSaveUsePassword /f || true
  else
    qw_reg add "$QW_DESKTOP_KEY" /v ScreenSaveUsePassword /t REG_DWORD /d "$1" /f ||
      qw_fail "could not set ScreenSaveUsePassword"
  fi
}

# Frames as cheap as the saver makes them (few wires, no halo), so that timing checks are not
# held up behind drawing.
hooks_light_frames() {
  qw_reg add 'HKCU\Software\Orvane\Quellwire' /v Quantity /t REG_DWORD /d 0 /f
  qw_reg add 'HKCU\Software\Orvane\Quellwire' /v Glow /t REG_DWORD /d 0 /f
}

# hooks_verifier <name> <number>: sets how the verifier double answers (Answer, DelayMs).
hooks_verifier() {
  qw_reg add "$QW_PASSWORD_DOUBLE_KEY" /v "$1" /t REG_DWORD /d "$2" /f ||
    qw_fail "could not set the verifier double's $1"
}

# hooks_double_value <key> <name>: a value a double recorded, numbers in decimal; empty when
# there is none.
hooks_double_value() {
  local data
  data=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }') || true
  case "$data" in
    0x*) echo $((data)) ;;
    *) echo "$data" ;;
  esac
}

hooks_verifier_value() { hooks_double_value "$QW_PASSWORD_DOUBLE_KEY" "$1"; }
hooks_change_value() { hooks_double_value "$QW_CHANGE_DOUBLE_KEY" "$1"; }

# hooks_wait_verifications <count>: waits up to 20 s until the verifier double has returned
# <count> times, then half a second more, so that a verification too many would show too.
hooks_wait_verifications() {
  qw_poll 20 hooks_verified "$1" || true
  sleep 0.5
}
hooks_verified() { [ "$(hooks_verifier_value Calls)" = "$1" ]; }

# hooks_start_full_screen: parks the pointer, starts a full-screen saver and waits for its
# window; sets saver_window.
hooks_start_full_screen() {
  xdotool mousemove 512 384
  qw_start_saver /s
  local info
  info=$(qw_helper describe 20000)
  [ "$(qw_field count "$info")" = 1 ] || qw_fail "no saver window"
  saver_window=$(qw_field window.handle "$info")
  sleep 0.5
}

# hooks_send <window> <message> <wParam> <lParam>: sends the message (a number, or the name of
# a registered message) and prints the window's answer (-1 when it did not answer in 5 s).
hooks_send() {
  qw_helper messages "$1" 0 "send:$2:$3:$4" | sed -n 's/.* result=\([-0-9]*\) .*/\1/p'
}
