#!/usr/bin/python3
"""describe_ce_setup.py SETUP_FILE

Reads a Windows CE setup file (the .000 file of an installation cabinet) and
prints what the device's installer would take from it, one fact a line:

  length 193 of 193
  processor 2577
  CE from 3.0 to 0.0
  application Quenlark
  provider Zandravex
  folder 1 %CE1%\\Quenlark
  file 1 Quenlark.EXE into %CE1%\\Quenlark
  link %CE11%\\Quenlark.lnk to file 1
  strings padded to 4 bytes

Read independently of the program that writes such files, from the format's
public description (cabextract's doc/wince_cab_format.html). A reference to a
string, folder or file that the file does not hold ends it with an error.
"""
import struct
import sys


def main(path):
    data = open(path, "rb").read()
    if data[:4] != b"MSCE":
        sys.exit("%s: no MSCE signature" % path)
    (length, processor, min_major, min_minor, max_major, max_minor) = struct.unpack_from(
        "<I4x4xIIIII", data, 8)
    counts = struct.unpack_from("<6H", data, 48)
    n_strings, n_dirs, n_files, _, _, n_links = counts
    offsets = struct.unpack_from("<6I", data, 60)
    app_at, app_len, prov_at, prov_len = struct.unpack_from("<4H", data, 84)

    unpadded = []  # the strings whose stored size is no multiple of four

    def text(at, size):
        raw = data[at:at + size]
        if len(raw) != size or not raw.endswith(b"\0"):
            sys.exit("%s: string at %d runs past the file or has no null byte" % (path, at))
        value = raw[:raw.index(b"\0")].decode("ascii")
        if size % 4:
            unpadded.append(value)
        return value

    print("length %d of %d" % (length, len(data)))
    print("processor %d" % processor)
    print("CE from %d.%d to %d.%d" % (min_major, min_minor, max_major, max_minor))
    print("application %s" % text(app_at, app_len))
    print("provider %s" % text(prov_at, prov_len))

    strings, at = {}, offsets[0]
    for _ in range(n_strings):
        sid, size = struct.unpack_from("<HH", data, at)
        strings[sid] = text(at + 4, size)
        at += 4 + size

    def path_of(at, size):
        ids = struct.unpack_from("<%dH" % (size // 2), data, at)
        if ids[-1] != 0:
            sys.exit("%s: path at %d is not 0-terminated" % (path, at))
        return "\\".join(strings[i] for i in ids[:-1])

    dirs, at = {}, offsets[1]
    for _ in range(n_dirs):
        did, size = struct.unpack_from("<HH", data, at)
        dirs[did] = path_of(at + 4, size)
        print("folder %d %s" % (did, dirs[did]))
        at += 4 + size

    at = offsets[2]
    for _ in range(n_files):
        fid, did, _, _, size = struct.unpack_from("<HHHIH", data, at)
        print("file %d %s into %s" % (fid, text(at + 12, size), dirs[did]))
        at += 12 + size

    at = offsets[5]
    for _ in range(n_links):
        _, _, base, target, kind, size = struct.unpack_from("<6H", data, at)
        where = "%%CE%d%%" % base if base else "%InstallDir%"
        print("link %s\\%s to %s %d" % (where, path_of(at + 12, size), "file" if kind == 1 else "folder", target))
        at += 12 + size

    print("strings padded to 4 bytes" if not unpadded else "strings not padded: %s" % ", ".join(unpadded))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: describe_ce_setup.py SETUP_FILE")
    try:
        main(sys.argv[1])
    except (KeyError, struct.error, UnicodeDecodeError) as e:
        sys.exit("%s: malformed setup file (%s)" % (sys.argv[1], e))
