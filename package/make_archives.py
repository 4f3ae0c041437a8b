#!/usr/bin/env python3
"""Writes the download archives of Quorlet from two finished builds.

    make_archives.py OUT_DIR README WIN64_BUILD WIN32_BUILD

For each architecture, Quorlet-<version>-<arch>.zip holds the folder Quorlet/
with the program, its help file, the alarm tone and the ReadMe, and
Quorlet-<version>-<arch>-symbols.zip holds Quorlet/Quorlet.debug, which lands
beside the program when unpacked into the same place. OUT_DIR/SHA256SUMS lists
every archive. The version is the one in the program's version resource.

The same files give the same archive bytes: fixed entry order, the time of the
commit (SOURCE_DATE_EPOCH when set) on every entry, no system-dependent fields.
"""
import hashlib
import os
import subprocess
import sys
import time
import zipfile

import pe_image

FOLDER = "Quorlet/"
PROGRAM_FILES = ["Quorlet.exe", "Quorlet_Help.chm", "Alarm1.wav"]
README_NAME = "ReadMe.txt"
SYMBOL_FILES = ["Quorlet.debug"]
ARCHITECTURES = ["win64", "win32"]


def source_date(repository):
    """The archive entries' time: SOURCE_DATE_EPOCH, else the commit's time."""
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        try:
            epoch = subprocess.run(["git", "-C", repository, "log", "-1", "--format=%ct"], check=True,
                                   capture_output=True, text=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            epoch = ""
    seconds = max(int(epoch), 315532800) if epoch else 315532800  # zip times start in 1980
    return time.gmtime(seconds)[:6]


def readme_text(path, version):
    """The ReadMe as Windows Notepad wants it: CR LF line ends."""
    with open(path, encoding="ascii") as f:
        text = f.read().replace("@VERSION@", version)
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("ascii")


def write_zip(path, entries, date_time):
    """entries: (name inside the folder, bytes), written in the order of their names."""
    with zipfile.ZipFile(path, "w") as archive:
        folder = zipfile.ZipInfo(FOLDER, date_time)
        folder.create_system = 0
        folder.external_attr = 0x10  # MS-DOS directory attribute
        archive.writestr(folder, b"")
        for name, data in sorted(entries):
            info = zipfile.ZipInfo(FOLDER + name, date_time)
            info.create_system = 0
            info.external_attr = 0x20  # MS-DOS archive attribute
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def main(out_dir, readme, builds):
    repository = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    versions = {arch: pe_image.read(os.path.join(build, "Quorlet.exe")).version()
                for arch, build in zip(ARCHITECTURES, builds)}
    if len(set(versions.values())) != 1:
        sys.exit(f"The programs carry different versions: {versions}")
    version = versions[ARCHITECTURES[0]]
    date_time = source_date(repository)
    readme_bytes = readme_text(readme, version)
    os.makedirs(out_dir, exist_ok=True)
    written = []
    for arch, build in zip(ARCHITECTURES, builds):
        program = [(name, read_bytes(os.path.join(build, name))) for name in PROGRAM_FILES]
        program.append((README_NAME, readme_bytes))
        symbols = [(name, read_bytes(os.path.join(build, name))) for name in SYMBOL_FILES]
        for suffix, entries in (("", program), ("-symbols", symbols)):
            name = f"Quorlet-{version}-{arch}{suffix}.zip"
            write_zip(os.path.join(out_dir, name), entries, date_time)
            written.append(name)
    with open(os.path.join(out_dir, "SHA256SUMS"), "w", newline="\n") as sums:
        for name in sorted(written):
            digest = hashlib.sha256(read_bytes(os.path.join(out_dir, name))).hexdigest()
            sums.write(f"{digest}  {name}\n")
    for name in sorted(written):
        print(f"{os.path.getsize(os.path.join(out_dir, name)):>10}  {os.path.join(out_dir, name)}")


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], sys.argv[3:5])
