// The count of leading zero bits, which gcc calls for __builtin_clz (as
// std::to_chars does in base 16): ARMv4 has no CLZ instruction, and libgcc,
// which would supply it, is an ELF library the PE linker cannot take.
int __clzsi2(unsigned int value)
{
    if (value == 0)
        return 32;
    int count = 0;
    for (unsigned int bit = 0x80000000u; (value & bit) == 0; bit >>= 1)
        ++count;
    return count;
}
