#!/usr/bin/python3
"""Makes what the build needs from the table of the target's functions
(arm-wince/ce30_functions.txt):

    ce_target.py dlls TABLE                 the DLLs the import libraries are
                                            made for, one a line
    ce_target.py def TABLE DLL OUTPUT       DLL's import definitions, for dlltool
    ce_target.py imports TABLE OUTPUT       the list scripts/check-imports.sh reads

The import definitions hold the DLL's [allowed] and [unverified] functions,
each under its libgcc name where it has one ("__adddf3 == __addd"). The
check's list is the table without its libgcc column.
"""

import re
import sys

SECTIONS = ("allowed", "missing", "unverified")
IMPORTABLE = ("allowed", "unverified")


class TableError(Exception):
    pass


class Function:
    def __init__(self, section, name, dll, version, libgcc, source):
        self.section, self.name, self.dll, self.version, self.source = section, name, dll, version, source
        self.libgcc = None if libgcc == "-" else libgcc


def read_table(path):
    """The table's settings lines as written, and its functions in order."""
    settings, functions = [], []
    section = None
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            text = line.strip()
            if not text or text.startswith("#"):
                continue
            heading = re.fullmatch(r"\[([a-z]+)\]", text)
            if heading:
                section = heading.group(1)
                if section not in SECTIONS:
                    raise TableError("%s line %d: unknown section [%s]" % (path, number, section))
            elif section is None:
                settings.append(text)
            else:
                fields = text.split(None, 4)
                if len(fields) < 5:
                    raise TableError("%s line %d: want Name DLL version libgcc source" % (path, number))
                functions.append(Function(section, *fields))
    return settings, functions


def importable(functions):
    return [f for f in functions if f.section in IMPORTABLE]


def write_definitions(functions, dll, output):
    lines = ["; %s, made by ce_target.py from the target's table of functions." % dll,
             "LIBRARY %s" % dll, "EXPORTS"]
    for f in importable(functions):
        if f.dll.lower() == dll.lower():
            lines.append("%s == %s" % (f.libgcc, f.name) if f.libgcc else f.name)
    if len(lines) == 3:
        raise TableError("no function of %s in the table" % dll)
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


def write_import_list(settings, functions, output):
    lines = ["# Made by ce_target.py from the target's table of functions; edit that table."]
    lines += settings
    for section in SECTIONS:
        lines += ["", "[%s]" % section]
        lines += ["%s  %s  %s  %s" % (f.name, f.dll, f.version, f.source) for f in functions if f.section == section]
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "dlls":
            dlls = []
            for f in importable(read_table(argv[2])[1]):
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
