"""Stubs for the COREDLL.dll functions the runtime and the engine call,
written from the functions' public documentation. See machine.py for how a
stub is called and returns.

The software double helpers compute in Python's floats, which are IEEE
doubles rounded to nearest as the helpers' are; conversions to integers
truncate toward zero. rand/srand are the Windows C runtime's generator:
a 32-bit state, state = state * 214013 + 2531011, each draw bits 16 to 30.
"""

import math
import struct

from machine import EmulationError, Int64


def _to_int(value, bits, signed):
    """A double converted to an integer as C does: toward zero. Out of range
    or NaN is undefined in C; here it gives the lowest value of the type."""
    if math.isnan(value) or math.isinf(value):
        return -(1 << (bits - 1)) if signed else 0
    whole = math.trunc(value)
    low, high = (-(1 << (bits - 1)), (1 << (bits - 1)) - 1) if signed else (0, (1 << bits) - 1)
    return whole if low <= whole <= high else low


def _binary(operation):
    def stub(m, a):
        x, y = a.double(0), a.double(2)
        try:
            return float(operation(x, y))
        except ZeroDivisionError:
            if math.isnan(x) or x == 0:
                return math.nan
            return math.copysign(math.inf, x) * math.copysign(1.0, y)
    return stub


def _compare(relation):
    # True or false; every relation but "not equal" is false for a NaN.
    return lambda m, a: int(relation(a.double(0), a.double(2)))


def _floor(m, a):
    x = a.double(0)
    if math.isnan(x) or math.isinf(x) or x == 0:
        return x
    return float(math.floor(x))


def _exit_thread(m, a):
    m.end_program(a.int(0))


def _srand(m, a):
    m.state["rand"] = a[0]


def _rand(m, a):
    state = (m.state.get("rand", 1) * 214013 + 2531011) & 0xFFFFFFFF
    m.state["rand"] = state
    return (state >> 16) & 0x7FFF


def _memcpy(m, a):
    if a[2]:
        m.write(a[0], m.read(a[1], a[2]))
    return a[0]


def _memset(m, a):
    if a[2]:
        m.write(a[0], bytes([a[1] & 0xFF]) * a[2])
    return a[0]


def _memcmp(m, a):
    x, y = m.read(a[0], a[2]), m.read(a[1], a[2])
    for p, q in zip(x, y):
        if p != q:
            return -1 if p < q else 1
    return 0


def _wcslen(m, a):
    length = 0
    while struct.unpack("<H", m.read(a[0] + 2 * length, 2))[0]:
        length += 1
    return length


def _strlen(m, a):
    length = 0
    while m.read(a[0] + length, 1) != b"\0":
        length += 1
    return length


def _output_debug_string(m, a):
    m.debug_output.append(a.wstring(0))


def _unsigned(value):
    return value & 0xFFFFFFFF


STUBS = {
    "malloc": lambda m, a: m.heap.malloc(a[0]),
    "free": lambda m, a: m.heap.free(a[0]),
    "realloc": lambda m, a: m.heap.realloc(a[0], a[1]),
    "ExitThread": _exit_thread,
    "memcpy": _memcpy,
    "memmove": _memcpy,  # the whole source is read before anything is written
    "memset": _memset,
    "memcmp": _memcmp,
    "wcslen": _wcslen,
    "strlen": _strlen,
    "floor": _floor,
    "rand": _rand,
    "srand": _srand,
    "OutputDebugStringW": _output_debug_string,
    "__addd": _binary(lambda x, y: x + y),
    "__subd": _binary(lambda x, y: x - y),
    "__muld": _binary(lambda x, y: x * y),
    "__divd": _binary(lambda x, y: x / y),
    "__negd": lambda m, a: -a.double(0),
    "__itod": lambda m, a: float(a.int(0)),
    "__utod": lambda m, a: float(a[0]),
    "__i64tod": lambda m, a: float(a.int64(0)),
    "__u64tod": lambda m, a: float(a.uint64(0)),
    "__dtoi": lambda m, a: _unsigned(_to_int(a.double(0), 32, True)),
    "__dtou": lambda m, a: _to_int(a.double(0), 32, False),
    "__dtoi64": lambda m, a: Int64(_to_int(a.double(0), 64, True) & 0xFFFFFFFFFFFFFFFF),
    "__dtou64": lambda m, a: Int64(_to_int(a.double(0), 64, False)),
    "__eqd": _compare(lambda x, y: x == y),
    "__ned": _compare(lambda x, y: x != y),
    "__ltd": _compare(lambda x, y: x < y),
    "__led": _compare(lambda x, y: x <= y),
    "__gtd": _compare(lambda x, y: x > y),
    "__ged": _compare(lambda x, y: x >= y),
}

__all__ = ["STUBS", "EmulationError"]
