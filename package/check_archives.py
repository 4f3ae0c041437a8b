#!/usr/bin/env python3
"""Checks the download archives in DIST without running them.

    check_archives.py DIST

The 32-bit program cannot run on the build machines, so its archive is held
against the 64-bit one: the same file list with the same help file, tone and
ReadMe; a PE32 image for i386 with no debug information in it; the same
imported functions apart from the C runtime's own. Both programs carry the
archives' version, no link time, and a debug link to the Quorlet.debug of
their symbols archive; the help file carries no compile time; SHA256SUMS
lists every archive with its digest.
"""
import hashlib
import os
import re
import struct
import sys
import zipfile
import zlib

import pe_image

ARCHIVE_NAME = re.compile(r"^Quorlet-(\d+\.\d+\.\d+\.\d+)-(win64|win32)(-symbols)?\.zip$")
PROGRAM_FILES = ["Quorlet/", "Quorlet/Alarm1.wav", "Quorlet/Quorlet.exe", "Quorlet/Quorlet_Help.chm",
                 "Quorlet/ReadMe.txt"]
SYMBOL_FILES = ["Quorlet/", "Quorlet/Quorlet.debug"]
SAME_ON_BOTH = ["Quorlet/Alarm1.wav", "Quorlet/Quorlet_Help.chm", "Quorlet/ReadMe.txt"]

# Imports of the C runtime rather than of the program: the C library itself,
# and what mingw's runtime takes from kernel32 on x64 only (stack unwinding for
# exceptions, and the delay-load helper's allocation).
RUNTIME_DLLS = re.compile(r"^(msvcrt\.dll|ucrtbase\.dll|api-ms-win-crt-.*)$")
RUNTIME_FUNCTIONS = {"kernel32.dll": {"RtlCaptureContext", "RtlLookupFunctionEntry", "RtlUnwindEx",
                                      "RtlVirtualUnwind", "__C_specific_handler", "LocalAlloc"}}
# The 32-bit headers define the pointer-sized window and class longs as the 32-bit ones.
POINTER_SIZED = re.compile(r"^(Get|Set)(Window|Class)LongPtr([AW])$")


class Checks:
    def __init__(self):
        self.failures = 0

    def expect(self, condition, what, detail=""):
        print(("ok      " if condition else "FAILED  ") + what + ("" if condition or not detail else f": {detail}"))
        if not condition:
            self.failures += 1
        return condition


def program_imports(image):
    """{dll: functions} loaded at start or on first call, without the runtime's own."""
    result = {}
    for table in (image.imports(), image.delay_imports()):
        for dll, functions in table.items():
            if RUNTIME_DLLS.match(dll):
                continue
            names = {POINTER_SIZED.sub(r"\1\2Long\3", name) for name in functions}
            result.setdefault(dll, set()).update(names - RUNTIME_FUNCTIONS.get(dll, set()))
    return result


def describe_difference(a, b):
    lines = []
    for dll in sorted(set(a) | set(b)):
        only_a, only_b = a.get(dll, set()) - b.get(dll, set()), b.get(dll, set()) - a.get(dll, set())
        if only_a or only_b:
            lines.append(f"{dll}: win64 only {sorted(only_a)}, win32 only {sorted(only_b)}")
    return "; ".join(lines)


def debug_link(image):
    """(file name, CRC-32) of the program's .gnu_debuglink section, or None."""
    for name, _rva, _size, raw_offset, raw_size in image.sections:
        if name == ".gnu_debuglink":
            data = image.data[raw_offset:raw_offset + raw_size]
            file_name = data[:data.index(b"\0")].decode("ascii")
            crc_offset = (len(file_name) + 1 + 3) // 4 * 4
            return file_name, struct.unpack_from("<I", data, crc_offset)[0]
    return None


def check_program(checks, arch, image, version, symbols):
    machine, magic = {"win64": (pe_image.MACHINE_AMD64, pe_image.PE32_PLUS_MAGIC),
                      "win32": (pe_image.MACHINE_I386, pe_image.PE32_MAGIC)}[arch]
    checks.expect(image.machine == machine and image.magic == magic,
                  f"{arch}: {'PE32+ for x86-64' if arch == 'win64' else 'PE32 for i386'}",
                  f"machine {image.machine:#x}, magic {image.magic:#x}")
    checks.expect(image.subsystem == 2, f"{arch}: a Windows GUI program", f"subsystem {image.subsystem}")
    debug_sections = [s[0] for s in image.sections if s[0].startswith((".debug", ".zdebug"))]
    checks.expect(not debug_sections and image.symbol_count == 0, f"{arch}: no debug information in the program",
                  f"sections {debug_sections}, {image.symbol_count} symbols")
    checks.expect(image.timestamp == 0, f"{arch}: no link time in the PE header", f"{image.timestamp:#x}")
    checks.expect(image.version() == version, f"{arch}: version resource {version}", image.version())
    link = debug_link(image)
    checks.expect(link == ("Quorlet.debug", zlib.crc32(symbols)),
                  f"{arch}: the debug link names the Quorlet.debug of the symbols archive", str(link))


def main(dist):
    checks = Checks()
    archives = {}
    for name in sorted(os.listdir(dist)):
        match = ARCHIVE_NAME.match(name)
        if match:
            archives[(match.group(2), bool(match.group(3)))] = (name, match.group(1))
    versions = {version for _name, version in archives.values()}
    if not checks.expect(len(archives) == 4 and len(versions) == 1,
                         "four archives of one version: win64, win32 and their symbols", str(sorted(archives))):
        return 1
    version = versions.pop()

    with open(os.path.join(dist, "SHA256SUMS")) as f:
        listed = dict(reversed(line.split("  ", 1)) for line in f.read().splitlines())
    digests = {}
    for name, _version in archives.values():
        with open(os.path.join(dist, name), "rb") as f:
            digests[name] = hashlib.sha256(f.read()).hexdigest()
    checks.expect(listed == digests, "SHA256SUMS lists every archive with its digest",
                  f"listed {listed}, found {digests}")

    contents = {}
    for (arch, is_symbols), (name, _version) in archives.items():
        with zipfile.ZipFile(os.path.join(dist, name)) as archive:
            names = archive.namelist()
            checks.expect(names == (SYMBOL_FILES if is_symbols else PROGRAM_FILES),
                          f"{name} holds {', '.join(SYMBOL_FILES if is_symbols else PROGRAM_FILES)}", str(names))
            contents[(arch, is_symbols)] = {n: archive.read(n) for n in names if not n.endswith("/")}

    win64, win32 = contents[("win64", False)], contents[("win32", False)]
    for name in SAME_ON_BOTH:
        checks.expect(win64.get(name) == win32.get(name), f"{name} is the same in both archives")
    help_file = win64.get("Quorlet/Quorlet_Help.chm", b"")
    checks.expect(help_file[:4] == b"ITSF" and help_file[16:20] == b"\0\0\0\0",
                  "the help file carries no compile time", help_file[16:20].hex())

    images = {}
    for arch in ("win64", "win32"):
        images[arch] = pe_image.PeImage(contents[(arch, False)]["Quorlet/Quorlet.exe"])
        check_program(checks, arch, images[arch], version, contents[(arch, True)].get("Quorlet/Quorlet.debug", b""))
    imports64, imports32 = program_imports(images["win64"]), program_imports(images["win32"])
    checks.expect(imports64 == imports32 and imports64,
                  "win32 imports what win64 imports, apart from the C runtime's own",
                  describe_difference(imports64, imports32))

    print(f"{checks.failures} of the checks failed" if checks.failures else "All checks passed")
    return 1 if checks.failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
