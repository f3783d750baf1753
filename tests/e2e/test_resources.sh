#!/usr/bin/env bash
# The saver file carries its version, its description string in three tables, icon group 135
# (and no icon 100, which the window class asks for and so ends up without an icon) and its
# application manifest.
source "$(dirname "$0")/lib.sh"
qw_start
probe="$QW_WINSIDE/resource_probe/resource_probe.exe"
[ -f "$probe" ] || qw_fail "missing $probe"
out="$qw_tmp/resources.txt"
timeout 60 wine "$probe" "$(winepath -w "$QW_SCR" 2>/dev/null)" 2>>"$qw_tmp/wine.out" \
  | tr -d '\r' >"$out" || qw_fail "resource probe failed: $(cat "$out")"
value() { sed -n "s/^$1=//p" "$out"; }

qw_expect_eq "file version" 1.1.0.0 "$(value file_version)"
qw_expect_eq "product version" 1.1.0.0 "$(value product_version)"
qw_expect_eq "FileVersion" "1, 1, 0, 0" "$(value FileVersion)"
qw_expect_eq "ProductVersion" "1, 1, 0, 0" "$(value ProductVersion)"
qw_expect_eq "FileDescription" "Screen Saver" "$(value FileDescription)"
qw_expect_eq "ProductName" "Quellwire" "$(value ProductName)"
qw_expect_eq "InternalName" "Quellwire" "$(value InternalName)"
qw_expect_eq "OriginalFilename" "QuellwireGL.scr" "$(value OriginalFilename)"
qw_expect_eq "string 1, neutral" "Quellwire Screen Saver" "$(value string1_neutral)"
qw_expect_eq "string 1, French" "NA" "$(value string1_1036)"
qw_expect_eq "string 1, Japanese" "NA" "$(value string1_1041)"
qw_expect_eq "icon group 135" 1 "$(value icon_group_135)"
qw_expect_eq "icon group 100" 0 "$(value icon_group_100)"

# The application manifest, as the system's loader reads it from the file: resource type 24
# (RT_MANIFEST), id 1, the only one. It must be well-formed XML that names the file's own version
# and the architecture of its machine code, depends on Common Controls 6, lists the systems from
# Vista to 10/11, runs as the invoking user and declares per-monitor DPI awareness, each in the
# namespace where the system looks for it (anywhere else it is silently ignored).
command -v wrestool >/dev/null || qw_fail "wrestool (icoutils) is not installed"
qw_expect_eq "manifest resources" "--type=24 --name=1" \
  "$(wrestool -l "$QW_SCR" | grep -o -- '--type=24 --name=[^ ]*' | tr '\n' ' ' | sed 's/ $//')"
manifest="$QW_ARTIFACTS/manifest.xml"
wrestool -x --raw --type=24 --name=1 "$QW_SCR" >"$manifest" || qw_fail "no manifest to extract"
pe_header=$(od -An -tu4 -j60 -N4 "$QW_SCR" | tr -d ' ')
case "$(od -An -tx2 -j$((pe_header + 4)) -N2 "$QW_SCR" | tr -d ' ')" in
  8664) arch=amd64 ;;
  014c) arch=x86 ;;
  *) qw_fail "the saver is neither x86-64 nor x86 code" ;;
esac
python3 - "$manifest" "$(value file_version)" "$arch" <<'PYTHON' || qw_fail "manifest: see above"
import sys
import xml.etree.ElementTree as ET

path, version, arch = sys.argv[1:]
ns = {"asm": "urn:schemas-microsoft-com:asm.v1", "v3": "urn:schemas-microsoft-com:asm.v3",
      "compat": "urn:schemas-microsoft-com:compatibility.v1",
      "ws2005": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
      "ws2016": "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}
try:
    root = ET.parse(path).getroot()
except ET.ParseError as error:
    sys.exit(f"manifest is not well-formed XML: {error}")
problems = []

def expect(what, expected, actual):
    if expected != actual:
        problems.append(f"{what}: expected {expected!r}, got {actual!r}")

def found(where):
    return [dict(e.attrib, text=(e.text or "").strip()) for e in root.findall(where, ns)]

expect("root", ("{urn:schemas-microsoft-com:asm.v1}assembly", "1.0"),
       (root.tag, root.get("manifestVersion")))
expect("own identity", [{"type": "win32", "name": "Orvane.Quellwire.QuellwireGL",
                         "version": version, "processorArchitecture": arch, "text": ""}],
       found("asm:assemblyIdentity"))
expect("dependencies", [{"type": "win32", "name": "Microsoft.Windows.Common-Controls",
                         "version": "6.0.0.0", "processorArchitecture": "*",
                         "publicKeyToken": "6595b64144ccf1df", "language": "*", "text": ""}],
       found("asm:dependency/asm:dependentAssembly/asm:assemblyIdentity"))
expect("supported systems (Vista, 7, 8, 8.1, 10/11)",
       ["{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"],
       [e["Id"] for e in found("compat:compatibility/compat:application/compat:supportedOS")])
expect("execution level", [{"level": "asInvoker", "uiAccess": "false", "text": ""}],
       found("v3:trustInfo/v3:security/v3:requestedPrivileges/v3:requestedExecutionLevel"))
settings = "v3:application/v3:windowsSettings/"
expect("dpiAware", ["true/pm"], [e["text"] for e in found(settings + "ws2005:dpiAware")])
expect("dpiAwareness", ["PerMonitorV2, PerMonitor"],
       [e["text"] for e in found(settings + "ws2016:dpiAwareness")])
for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
PYTHON
