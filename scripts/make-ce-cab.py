#!/usr/bin/python3
"""make-ce-cab.py PROGRAM CABINET

Packs the handheld game into CABINET (Quenlark.ARM.CAB), the installation
cabinet a Windows CE device's installer reads. PROGRAM is the game built for
Windows CE 3.0 on ARM; it goes in unchanged as Quenlark.EXE, installed into
\\Program Files\\Quenlark (%CE1%\\Quenlark) with a link "Quenlark.lnk" in the
device's Start-menu programs folder (%CE11%).

The cabinet is an ordinary Microsoft cabinet, packed uncompressed by gcab.
It holds the CE setup file first (Quenlark.000), which names the processor
(StrongARM), the lowest CE version (3.0), the folder, the file and the link,
then the program (Quenlark.001): the installer finds each file by its number.
The setup file is written as the cabinet writers tested with real devices
write it: every string (application, provider, string table, file names)
padded with nulls to a multiple of four bytes, and the link's file named
with its .lnk.

The device lists the installed game for removal as the provider's name, a
blank and the application's name: "Zandravex Quenlark", which is what
setup.ini's Uninstall line names.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

APP_NAME = "Quenlark"
LINK_NAME = APP_NAME + ".lnk"
PROVIDER = "Zandravex"  # the handheld program's CompanyName
PROGRAM_NAME = "Quenlark.EXE"  # its OriginalFilename
STRONGARM = 2577
CE_MIN_VERSION = (3, 0)
PROGRAM_FILES = "%CE1%"  # \Program Files
START_MENU_PROGRAMS = 11  # %CE11%: the Start menu's programs folder

ARM_MACHINE = 0x01C0  # IMAGE_FILE_MACHINE_ARM as CE's PE files carry it

# FILES flags: the program is never skipped, and always replaces an earlier
# copy whatever its date.
FILE_NOSKIP = 0x00000002
FILE_IGNORE_DATE = 0x40000000
LINK_TO_FILE = 1

HEADER_SIZE = 100


class CabError(Exception):
    pass


def ascii_z(text):
    """A string as the setup file stores it: ASCII, then nulls up to a
    multiple of four bytes (one at least)."""
    data = text.encode("ascii") + b"\0"
    return data + b"\0" * (-len(data) % 4)


def id_list(ids):
    """A folder or link path as string ids, 0-terminated, with its length."""
    data = struct.pack("<%dH" % (len(ids) + 1), *ids, 0)
    return struct.pack("<H", len(data)) + data


def setup_file():
    """The CE setup file: the fixed header, the two names, then the sections."""
    strings = {1: PROGRAM_FILES, 2: APP_NAME, 3: LINK_NAME}
    install_dir, program_file, link = 1, 1, 1

    sections = {
        "strings": b"".join(struct.pack("<HH", sid, len(ascii_z(s))) + ascii_z(s)
                            for sid, s in strings.items()),
        "dirs": struct.pack("<H", install_dir) + id_list([1, 2]),
        "files": struct.pack("<HHHIH", program_file, install_dir, program_file,
                             FILE_NOSKIP | FILE_IGNORE_DATE, len(ascii_z(PROGRAM_NAME)))
        + ascii_z(PROGRAM_NAME),
        "reghives": b"",
        "regkeys": b"",
        "links": struct.pack("<HHHHH", link, 0, START_MENU_PROGRAMS, program_file, LINK_TO_FILE)
        + id_list([3]),
    }
    counts = {"strings": len(strings), "dirs": 1, "files": 1, "reghives": 0, "regkeys": 0, "links": 1}

    app, provider = ascii_z(APP_NAME), ascii_z(PROVIDER)
    body = app + provider  # the list of unsupported platforms is empty
    app_at, provider_at = HEADER_SIZE, HEADER_SIZE + len(app)
    unsupported_at = HEADER_SIZE + len(body)
    offsets = {}
    for name, data in sections.items():
        offsets[name] = HEADER_SIZE + len(body)
        body += data
    order = ["strings", "dirs", "files", "reghives", "regkeys", "links"]

    header = b"MSCE" + struct.pack(
        "<11I", 0, HEADER_SIZE + len(body), 0, 1, STRONGARM,
        CE_MIN_VERSION[0], CE_MIN_VERSION[1], 0, 0, 0, 0)  # no highest version, no builds
    header += struct.pack("<6H", *(counts[n] for n in order))
    header += struct.pack("<6I", *(offsets[n] for n in order))
    header += struct.pack("<8H", app_at, len(app), provider_at, len(provider),
                          unsupported_at, 0, 0, 0)
    assert len(header) == HEADER_SIZE
    return header + body


def check_program(path):
    """PROGRAM must be a PE file for ARM: not, say, the desktop-hosted handheld build."""
    try:
        with open(path, "rb") as f:
            head = f.read(4096)
    except OSError as e:
        raise CabError("cannot read the program %s: %s" % (path, e.strerror))
    machine = None
    if head[:2] == b"MZ" and len(head) >= 0x40:
        pe = struct.unpack_from("<I", head, 0x3C)[0]
        if head[pe:pe + 4] == b"PE\0\0" and len(head) >= pe + 6:
            machine = struct.unpack_from("<H", head, pe + 4)[0]
    if machine is None:
        raise CabError("%s is not a Windows program (no PE header)" % path)
    if machine != ARM_MACHINE:
        raise CabError("%s is not an ARM program: its machine is 0x%04X, not 0x%04X"
                       % (path, machine, ARM_MACHINE))


def cabinet_name(name, number):
    """A file's name inside the cabinet: 8 characters of its own, then its number."""
    stem = os.path.splitext(name)[0][:8].rjust(8, "0")
    return "%s.%03d" % (stem, number)


def make_cabinet(program, cabinet):
    check_program(program)
    gcab = shutil.which("gcab")
    if gcab is None:
        raise CabError("gcab is missing; run scripts/bootstrap.sh")
    with tempfile.TemporaryDirectory() as stage:
        setup_name, program_name = cabinet_name(APP_NAME, 0), cabinet_name(PROGRAM_NAME, 1)
        with open(os.path.join(stage, setup_name), "wb") as f:
            f.write(setup_file())
        shutil.copyfile(program, os.path.join(stage, program_name))
        # Both files carry the program's date, so the same program gives the same cabinet.
        stamp = os.stat(program).st_mtime
        for name in (setup_name, program_name):
            os.utime(os.path.join(stage, name), (stamp, stamp))
        # The setup file first, then the rest in descending order of number.
        packed = subprocess.run([gcab, "-c", "-n", os.path.abspath(cabinet), setup_name, program_name],
                                cwd=stage, stderr=subprocess.PIPE, text=True)
    if packed.returncode != 0:
        if os.path.exists(cabinet):
            os.remove(cabinet)
        raise CabError("gcab failed: %s" % packed.stderr.strip())


def main(argv):
    if len(argv) != 3:
        print("usage: %s PROGRAM CABINET" % argv[0], file=sys.stderr)
        return 2
    try:
        make_cabinet(argv[1], argv[2])
    except CabError as e:
        print("make-ce-cab: %s" % e, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
