"""Reads a PE program file: its headers, sections, base relocations, imports
and COFF symbols, as far as the ARM Windows CE programs here need."""

import struct

IMAGE_FILE_MACHINE_ARM = 0x01C0
IMAGE_SUBSYSTEM_WINDOWS_CE_GUI = 9
IMAGE_SCN_CNT_CODE = 0x00000020
IMAGE_SCN_MEM_EXECUTE = 0x20000000
IMAGE_SCN_MEM_READ = 0x40000000
IMAGE_SCN_MEM_WRITE = 0x80000000
IMAGE_REL_BASED_ABSOLUTE = 0
IMAGE_REL_BASED_HIGHLOW = 3


class PEError(Exception):
    pass


class Section:
    def __init__(self, name, rva, virtual_size, raw_offset, raw_size, characteristics):
        self.name = name
        self.rva = rva
        self.virtual_size = virtual_size
        self.raw_offset = raw_offset
        self.raw_size = raw_size
        self.characteristics = characteristics

    @property
    def is_code(self):
        return bool(self.characteristics & (IMAGE_SCN_CNT_CODE | IMAGE_SCN_MEM_EXECUTE))


class Import:
    def __init__(self, dll, name, ordinal, iat_rva):
        self.dll = dll
        self.name = name  # None when imported by ordinal
        self.ordinal = ordinal
        self.iat_rva = iat_rva  # where the loader writes the function's address

    @property
    def label(self):
        return "%s!%s" % (self.dll, self.name if self.name is not None else "#%d" % self.ordinal)


class PEImage:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.path = path
        self._parse_headers()
        self.relocations = self._parse_relocations()
        self.imports = self._parse_imports()
        self.symbols = self._parse_symbols()
        self.resources = self._parse_resources()

    # -- headers ---------------------------------------------------------
    def _u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def _u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def _parse_headers(self):
        d = self.data
        if len(d) < 0x40 or d[:2] != b"MZ":
            raise PEError("%s: no MZ header" % self.path)
        pe = self._u32(0x3C)
        if pe + 24 > len(d) or d[pe:pe + 4] != b"PE\0\0":
            raise PEError("%s: no PE signature" % self.path)
        (self.machine, section_count, _, self.symbol_table_offset, self.symbol_count,
         optional_size, self.characteristics) = struct.unpack_from("<HHIIIHH", d, pe + 4)
        opt = pe + 24
        if optional_size < 96 or opt + optional_size > len(d):
            raise PEError("%s: optional header too short" % self.path)
        self.magic = self._u16(opt)
        if self.magic != 0x10B:
            raise PEError("%s: not a 32-bit PE program (magic %#x)" % (self.path, self.magic))
        self.entry_rva = self._u32(opt + 16)
        self.image_base = self._u32(opt + 28)
        self.section_alignment = self._u32(opt + 32)
        self.os_version = (self._u16(opt + 40), self._u16(opt + 42))
        self.subsystem_version = (self._u16(opt + 48), self._u16(opt + 50))
        self.image_size = self._u32(opt + 56)
        self.headers_size = self._u32(opt + 60)
        self.subsystem = self._u16(opt + 68)
        self.stack_reserve = self._u32(opt + 72)
        directory_count = self._u32(opt + 92)
        self.directories = []
        for i in range(min(directory_count, 16)):
            if 96 + 8 * i + 8 <= optional_size:
                self.directories.append(struct.unpack_from("<II", d, opt + 96 + 8 * i))
        self.sections = []
        table = opt + optional_size
        for i in range(section_count):
            at = table + 40 * i
            if at + 40 > len(d):
                raise PEError("%s: section table cut short" % self.path)
            raw_name = d[at:at + 8].rstrip(b"\0").decode("latin-1")
            vsize, rva, raw_size, raw_offset = struct.unpack_from("<IIII", d, at + 8)
            characteristics = self._u32(at + 36)
            self.sections.append(Section(raw_name, rva, vsize, raw_offset, raw_size, characteristics))

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def section(self, name):
        for s in self.sections:
            if s.name == name:
                return s
        return None

    # -- contents by RVA -------------------------------------------------
    def read(self, rva, size):
        for s in self.sections:
            if s.rva <= rva and rva + size <= s.rva + max(s.virtual_size, s.raw_size):
                start = rva - s.rva
                raw = self.data[s.raw_offset:s.raw_offset + s.raw_size]
                chunk = raw[start:start + size]
                return chunk + b"\0" * (size - len(chunk))
        raise PEError("%s: RVA %#x (+%d) lies in no section" % (self.path, rva, size))

    def read_u32(self, rva):
        return struct.unpack("<I", self.read(rva, 4))[0]

    def read_cstring(self, rva, limit=512):
        out = bytearray()
        while len(out) < limit:
            b = self.read(rva + len(out), 1)
            if b == b"\0":
                return out.decode("latin-1")
            out += b
        raise PEError("%s: unterminated name at RVA %#x" % (self.path, rva))

    # -- tables ----------------------------------------------------------
    def _parse_relocations(self):
        """[(rva, type)] of every base relocation but the padding ones."""
        rva, size = self.directory(5)
        relocations = []
        end = rva + size
        while rva + 8 <= end:
            page, block_size = struct.unpack("<II", self.read(rva, 8))
            if block_size < 8:
                break
            entries = self.read(rva + 8, block_size - 8)
            for (entry,) in struct.iter_unpack("<H", entries[: len(entries) // 2 * 2]):
                kind, offset = entry >> 12, entry & 0xFFF
                if kind != IMAGE_REL_BASED_ABSOLUTE:
                    relocations.append((page + offset, kind))
            rva += block_size
        return relocations

    def _parse_imports(self):
        rva, size = self.directory(1)
        imports = []
        if not rva:
            return imports
        while True:
            lookup, _, _, name_rva, iat = struct.unpack("<IIIII", self.read(rva, 20))
            if not (lookup or name_rva or iat):
                break
            dll = self.read_cstring(name_rva)
            table = lookup or iat
            i = 0
            while True:
                entry = self.read_u32(table + 4 * i)
                if entry == 0:
                    break
                if entry & 0x80000000:
                    imports.append(Import(dll, None, entry & 0xFFFF, iat + 4 * i))
                else:
                    imports.append(Import(dll, self.read_cstring(entry + 2), None, iat + 4 * i))
                i += 1
            rva += 20
        return imports

    def _parse_symbols(self):
        """{name: rva} of the COFF symbols defined in a section."""
        symbols = {}
        if not self.symbol_table_offset or not self.symbol_count:
            return symbols
        table = self.symbol_table_offset
        strings = table + 18 * self.symbol_count
        i = 0
        while i < self.symbol_count:
            at = table + 18 * i
            if at + 18 > len(self.data):
                break
            raw_name, value, section_number, _, _, aux = struct.unpack_from("<8sIhHBB", self.data, at)
            if raw_name[:4] == b"\0\0\0\0":
                offset = strings + struct.unpack_from("<I", raw_name, 4)[0]
                name = self.data[offset:self.data.index(b"\0", offset)].decode("latin-1")
            else:
                name = raw_name.rstrip(b"\0").decode("latin-1")
            if 0 < section_number <= len(self.sections):
                symbols.setdefault(name, self.sections[section_number - 1].rva + value)
            i += 1 + aux
        return symbols

    def _parse_resources(self):
        """{(type, name): (rva, size)} of the resource directory, the first
        language of each; a type or name is an int id or an upper-case string."""
        base, size = self.directory(2)
        found = {}
        if not base:
            return found

        def entries(offset):
            named, numbered = struct.unpack("<HH", self.read(base + offset + 12, 4))
            for i in range(named + numbered):
                key, target = struct.unpack("<II", self.read(base + offset + 16 + 8 * i, 8))
                if key & 0x80000000:
                    at = base + (key & 0x7FFFFFFF)
                    length = struct.unpack("<H", self.read(at, 2))[0]
                    key = self.read(at + 2, 2 * length).decode("utf-16-le").upper()
                yield key, target

        for kind, types in entries(0):
            for name, names in entries(types & 0x7FFFFFFF):
                languages = list(entries(names & 0x7FFFFFFF))
                if languages:
                    data_rva, data_size = struct.unpack("<II", self.read(base + (languages[0][1] & 0x7FFFFFFF), 8))
                    found[(kind, name)] = (data_rva, data_size)
        return found
