#!/usr/bin/env python3
"""Clears the two compile times chmcmd writes into a compiled help file.

chmcmd stamps the millisecond of the day into the ITSF header and into the
first record (code 10) of the /#SYSTEM file; nothing reads either. Cleared, the
same help sources compile to the same bytes.

    clear_chm_timestamps.py FILE.chm
"""
import struct
import sys


def read_encint(data, pos):
    """A CHM variable-length integer: 7 bits a byte, high bit set on all but the last."""
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def directory_entries(data):
    """(name, section, offset, length) of every entry of the listing chunks."""
    directory = struct.unpack_from("<Q", data, 0x48)[0]
    if data[directory:directory + 4] != b"ITSP":
        raise ValueError("no ITSP directory header")
    header_length = struct.unpack_from("<I", data, directory + 0x08)[0]
    chunk_size = struct.unpack_from("<I", data, directory + 0x10)[0]
    chunk_count = struct.unpack_from("<I", data, directory + 0x2C)[0]
    for index in range(chunk_count):
        chunk = directory + header_length + index * chunk_size
        if data[chunk:chunk + 4] != b"PMGL":
            continue  # an index chunk (PMGI) repeats names only
        free_space = struct.unpack_from("<I", data, chunk + 4)[0]
        pos, end = chunk + 0x14, chunk + chunk_size - free_space
        while pos < end:
            name_length, pos = read_encint(data, pos)
            name = data[pos:pos + name_length].decode("utf-8")
            pos += name_length
            section, pos = read_encint(data, pos)
            offset, pos = read_encint(data, pos)
            length, pos = read_encint(data, pos)
            yield name, section, offset, length


def clear_timestamps(data):
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        raise ValueError("not an ITSF version 3 file")
    struct.pack_into("<I", data, 0x10, 0)
    content = struct.unpack_from("<Q", data, 0x58)[0]
    for name, section, offset, length in directory_entries(data):
        if name != "/#SYSTEM":
            continue
        if section != 0:
            raise ValueError("/#SYSTEM is compressed")
        pos, end = content + offset + 4, content + offset + length  # after the version
        while pos + 4 <= end:
            code, size = struct.unpack_from("<HH", data, pos)
            if code == 10 and size == 4:
                struct.pack_into("<I", data, pos + 4, 0)
                return
            pos += 4 + size
        raise ValueError("/#SYSTEM has no time record")
    raise ValueError("no /#SYSTEM file")


def main(path):
    with open(path, "rb") as f:
        data = bytearray(f.read())
    clear_timestamps(data)
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    try:
        main(sys.argv[1])
    except (ValueError, IndexError, struct.error) as error:
        sys.exit(f"{sys.argv[1]}: {error}")
