"""Checks the application manifest before it is compiled into the program.

The resource compiler embeds any bytes it is given; Windows refuses to start
a program whose manifest is not well-formed XML, and silently ignores one that
lacks what we rely on. So a broken manifest fails the build here instead.
Usage: check_manifest.py MANIFEST STAMP (STAMP is touched on success).
"""
import sys
import xml.etree.ElementTree as ET

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"


def settings(root, tag):
    """The texts of the windowsSettings elements TAG, stripped."""
    return [(e.text or "").strip() for e in root.iter(tag)]


def problems(root):
    if root.tag != ASM_V1 + "assembly" or root.get("manifestVersion") != "1.0":
        yield "the root is not an assembly of manifest version 1.0"
    levels = [e.get("level") for e in root.iter(ASM_V3 + "requestedExecutionLevel")]
    if levels != ["asInvoker"]:
        yield "the requested execution level is not asInvoker (found %s)" % levels
    if WINDOWS_10_AND_11 not in [e.get("Id") for e in root.iter(COMPAT + "supportedOS")]:
        yield "Windows 10 and 11 are not among the supported systems"
    controls = [
        e for e in root.iter(ASM_V1 + "assemblyIdentity")
        if e.get("name") == "Microsoft.Windows.Common-Controls" and e.get("version") == "6.0.0.0"
    ]
    if not controls:
        yield "no dependency on common controls version 6"
    # The clock scales its own drawing: Windows must not stretch it.
    if settings(root, SETTINGS_2005 + "dpiAware") != ["true/pm"]:
        yield "dpiAware (2005 WindowsSettings) is not exactly true/pm"
    awareness = settings(root, SETTINGS_2016 + "dpiAwareness")
    if len(awareness) != 1 or [v.strip() for v in awareness[0].split(",")] != ["PerMonitorV2", "PerMonitor"]:
        yield "dpiAwareness (2016 WindowsSettings) is not PerMonitorV2, PerMonitor (found %s)" % awareness
    windows_settings = [e for e in root.iter(ASM_V3 + "windowsSettings")]
    parents = [e for e in root.iter(ASM_V3 + "application") if any(c in windows_settings for c in e)]
    if len(windows_settings) != 1 or not parents:
        yield "the DPI settings are not in one asm.v3 application/windowsSettings element"


def main(manifest, stamp):
    try:
        root = ET.parse(manifest).getroot()
    except (OSError, ET.ParseError) as error:
        sys.exit("%s: %s" % (manifest, error))
    found = list(problems(root))
    if found:
        sys.exit("\n".join("%s: %s" % (manifest, p) for p in found))
    open(stamp, "w").close()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: check_manifest.py MANIFEST STAMP")
    main(sys.argv[1], sys.argv[2])
