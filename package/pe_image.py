"""What the packaging needs to know of a Windows program: its machine, link
time, sections, imported functions and version resource, read from the bytes
of the PE image."""
import struct

MACHINE_I386 = 0x014C
MACHINE_AMD64 = 0x8664
PE32_MAGIC = 0x10B
PE32_PLUS_MAGIC = 0x20B

_IMPORT_DIRECTORY = 1
_RESOURCE_DIRECTORY = 2
_DELAY_IMPORT_DIRECTORY = 13
_RT_VERSION = 16
_FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD


class PeImage:
    def __init__(self, data):
        self.data = bytes(data)
        if self.data[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, section_count, self.timestamp, symbol_table, symbol_count, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", self.data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", self.data, optional)[0]
        if self.magic not in (PE32_MAGIC, PE32_PLUS_MAGIC):
            raise ValueError(f"unknown optional header magic {self.magic:#x}")
        self.pointer_size = 8 if self.magic == PE32_PLUS_MAGIC else 4
        self.subsystem = struct.unpack_from("<H", self.data, optional + 68)[0]
        directories = optional + (112 if self.magic == PE32_PLUS_MAGIC else 96)
        count = struct.unpack_from("<I", self.data, directories - 4)[0]
        self.directories = [struct.unpack_from("<II", self.data, directories + 8 * i) for i in range(count)]
        self.symbol_count = symbol_count
        strings = symbol_table + 18 * symbol_count if symbol_table else 0
        self.sections = []
        for i in range(section_count):
            entry = optional + optional_size + 40 * i
            raw_name = self.data[entry:entry + 8].rstrip(b"\0").decode("ascii")
            if raw_name.startswith("/") and strings:
                # A long name is an offset into the COFF string table.
                start = strings + int(raw_name[1:])
                raw_name = self.data[start:self.data.index(b"\0", start)].decode("ascii")
            virtual_size, rva, raw_size, raw_offset = struct.unpack_from("<IIII", self.data, entry + 8)
            self.sections.append((raw_name, rva, max(virtual_size, raw_size), raw_offset, raw_size))

    def offset_of(self, rva):
        for _name, start, size, raw_offset, raw_size in self.sections:
            if start <= rva < start + size and rva - start < raw_size:
                return raw_offset + rva - start
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def _string_at(self, rva):
        start = self.offset_of(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def _dword(self, rva):
        return struct.unpack_from("<I", self.data, self.offset_of(rva))[0]

    def _names_of_thunks(self, rva):
        """The function names of an import name table (ordinals as #n)."""
        names = []
        ordinal_flag = 1 << (8 * self.pointer_size - 1)
        fmt = "<Q" if self.pointer_size == 8 else "<I"
        while True:
            thunk = struct.unpack_from(fmt, self.data, self.offset_of(rva))[0]
            if thunk == 0:
                return names
            names.append(f"#{thunk & 0xFFFF}" if thunk & ordinal_flag else self._string_at(thunk + 2))
            rva += self.pointer_size

    def imports(self):
        """{dll name in lower case: set of function names} of the import table."""
        result = {}
        rva, _size = self.directories[_IMPORT_DIRECTORY]
        while rva:
            name_table, _, _, dll_name, address_table = struct.unpack_from("<IIIII", self.data, self.offset_of(rva))
            if dll_name == 0:
                break
            result.setdefault(self._string_at(dll_name).lower(), set()).update(
                self._names_of_thunks(name_table or address_table))
            rva += 20
        return result

    def delay_imports(self):
        """{dll name in lower case: set of function names} loaded on first call.

        Microsoft's linker lists them in the delay import directory; mingw's
        delay-import libraries leave it empty and keep their descriptors (grAttrs
        1, the name, module handle, address table and name table, then three
        zeros) among the code, where they are looked for."""
        result = {}
        rva, size = self.directories[_DELAY_IMPORT_DIRECTORY] if len(self.directories) > 13 else (0, 0)
        candidates = []
        if rva:
            candidates = [rva + 32 * i for i in range(size // 32)]
        else:
            for name, start, _size, raw_offset, raw_size in self.sections:
                if name.startswith(".text"):
                    candidates += [start + i for i in range(0, raw_size - 32, 4)
                                   if struct.unpack_from("<I", self.data, raw_offset + i)[0] == 1]
        for descriptor in candidates:
            fields = struct.unpack_from("<8I", self.data, self.offset_of(descriptor))
            attributes, dll_name, module, address_table, name_table, bound, unload, stamp = fields
            if attributes != 1 or bound or unload or stamp or not (dll_name and module and address_table and name_table):
                continue
            try:
                dll = self._string_at(dll_name)
                if not dll.lower().endswith(".dll"):
                    continue
                functions = self._names_of_thunks(name_table)
            except (ValueError, UnicodeDecodeError, struct.error):
                continue
            result.setdefault(dll.lower(), set()).update(functions)
        return result

    def version(self):
        """The file version of the version resource, as "a.b.c.d"."""
        rva, size = self.directories[_RESOURCE_DIRECTORY]
        if not rva:
            raise ValueError("no resources")
        base = self.offset_of(rva)

        def first_entry(directory_offset, wanted_id=None):
            named, numbered = struct.unpack_from("<HH", self.data, directory_offset + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, directory_offset + 16 + 8 * i)
                if wanted_id is None or (not ident & 0x80000000 and ident == wanted_id):
                    return target
            raise ValueError("no version resource")

        node = first_entry(base, _RT_VERSION)
        while node & 0x80000000:  # a subdirectory: name, then language
            node = first_entry(base + (node & 0x7FFFFFFF))
        data_rva, data_size = struct.unpack_from("<II", self.data, base + node)
        resource = self.data[self.offset_of(data_rva):self.offset_of(data_rva) + data_size]
        fixed = resource.find(struct.pack("<I", _FIXED_FILE_INFO_SIGNATURE))
        if fixed < 0:
            raise ValueError("version resource without fixed file information")
        most, least = struct.unpack_from("<II", resource, fixed + 8)
        return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"


def read(path):
    with open(path, "rb") as f:
        return PeImage(f.read())
