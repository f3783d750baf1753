#!/usr/bin/env python3
"""Times one close of a running saver: from just before the input is made (a key press or a
pointer move, with xdotool) until the file that records the saver's exit appears, on the
monotonic clock, polled every millisecond. Prints the time in milliseconds, "timeout", or
"ended-before-input" when the saver had already gone before the input was made.

usage: close_latency.py key|move <exit-file> [limit-seconds]
"""
import os
import subprocess
import sys
import time

INPUTS = {
    "key": ["xdotool", "key", "space"],
    # 5 pixels, more than the 4 allowed; back and forth, so the pointer stays where it was.
    "move": ["xdotool", "mousemove_relative", "3", "2"],
    "move-back": ["xdotool", "mousemove_relative", "--", "-3", "-2"],
}


def main():
    action, exit_file = sys.argv[1], sys.argv[2]
    limit = float(sys.argv[3]) if len(sys.argv) > 3 else 20.0
    if os.path.exists(exit_file):
        print("ended-before-input")
        return
    start = time.monotonic()
    subprocess.run(INPUTS[action], check=True)
    while not os.path.exists(exit_file):
        if time.monotonic() - start > limit:
            print("timeout")
            return
        time.sleep(0.001)
    print(f"{(time.monotonic() - start) * 1000.0:.1f}")


main()
