#!/usr/bin/python3
"""Makes what the build needs from the table of the target's functions
(arm-wince/ce30_functions.txt):

    ce_target.py dlls TABLE                 the DLLs the import libraries are
                                            made for, one a line
    ce_target.py def TABLE DLL OUTPUT       DLL's import definitions, for dlltool
    ce_target.py imports TABLE OUTPUT       the list scripts/check-imports.sh reads

The import definitions hold the DLL's [allowed] functions, each under its
libgcc name where it has one ("__adddf3 == __addd"), imported by name. The
check's list is the table without its export and libgcc columns.

The emulator's loader reads the table with exports(): what each DLL the
table describes exports, by name and by ordinal.
"""

import os
import re
import sys

SECTIONS = ("allowed", "missing")
# Table settings that only this script reads; the rest go to the check's list.
OWN_SETTINGS = ("ordinals",)
TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "ce30_functions.txt")


class TableError(Exception):
    pass


class Function:
    def __init__(self, section, name, dll, export, version, libgcc, source):
        self.section, self.name, self.dll, self.version, self.source = section, name, dll, version, source
        self.ordinal = int(export[1:]) if export.startswith("@") else None
        self.libgcc = None if libgcc == "-" else libgcc


def read_table(path):
    """The table's settings lines as written, and its functions in order."""
    settings, functions = [], []
    ordinal_dlls = set()
    section = None
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            text = line.strip()
            if not text or text.startswith("#"):
                continue
            where = "%s line %d" % (path, number)
            heading = re.fullmatch(r"\[([a-z]+)\]", text)
            if heading:
                section = heading.group(1)
                if section not in SECTIONS:
                    raise TableError("%s: unknown section [%s]" % (where, section))
            elif section is None:
                settings.append(text)
                key, _, value = text.partition(" ")
                if key == "ordinals":
                    ordinal_dlls.update(d.lower() for d in value.split())
            else:
                fields = text.split(None, 5)
                if len(fields) < 6 or not re.fullmatch(r"@[0-9]+|-", fields[2]):
                    raise TableError("%s: want Name DLL @ordinal-or-- version libgcc source" % where)
                function = Function(section, *fields)
                if section == "allowed" and function.dll.lower() in ordinal_dlls and function.ordinal is None:
                    raise TableError("%s: %s has no export ordinal of %s; a function the device's %s does not "
                                     "export cannot be allowed" % (where, function.name, function.dll, function.dll))
                functions.append(function)
    return settings, functions


def allowed(functions):
    return [f for f in functions if f.section == "allowed"]


def exports(path=TABLE):
    """{dll (lower case): {"names": set, "ordinals": set}} of the [allowed] functions."""
    found = {}
    for f in allowed(read_table(path)[1]):
        entry = found.setdefault(f.dll.lower(), {"names": set(), "ordinals": set()})
        entry["names"].add(f.name)
        if f.ordinal is not None:
            entry["ordinals"].add(f.ordinal)
    return found


def write_definitions(functions, dll, output):
    lines = ["; %s, made by ce_target.py from the target's table of functions." % dll,
             "LIBRARY %s" % dll, "EXPORTS"]
    for f in allowed(functions):
        if f.dll.lower() == dll.lower():
            lines.append("%s == %s" % (f.libgcc, f.name) if f.libgcc else f.name)
    if len(lines) == 3:
        raise TableError("no function of %s in the table" % dll)
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


def write_import_list(settings, functions, output):
    lines = ["# Made by ce_target.py from the target's table of functions; edit that table."]
    lines += [s for s in settings if s.split()[0] not in OWN_SETTINGS]
    for section in SECTIONS:
        lines += ["", "[%s]" % section]
        lines += ["%s  %s  %s  %s" % (f.name, f.dll, f.version, f.source) for f in functions if f.section == section]
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "dlls":
            dlls = []
            for f in allowed(read_table(argv[2])[1]):
                if f.dll not in dlls:
                    dlls.append(f.dll)
            print("\n".join(dlls))
        elif len(argv) == 5 and argv[1] == "def":
            write_definitions(read_table(argv[2])[1], argv[3], argv[4])
        elif len(argv) == 4 and argv[1] == "imports":
            write_import_list(*read_table(argv[2]), argv[3])
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except (TableError, OSError) as problem:
        print("ce_target: %s" % problem, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
