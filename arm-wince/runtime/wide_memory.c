/* The wide-character memory functions std::wstring uses, which COREDLL
 * lacks: over the byte functions it has (wchar_t is 16 bits here). */

#include <string.h>
#include <wchar.h>

wchar_t* wmemcpy(wchar_t* restrict to, const wchar_t* restrict from, size_t count)
{
    return memcpy(to, from, count * sizeof(wchar_t));
}

wchar_t* wmemmove(wchar_t* to, const wchar_t* from, size_t count)
{
    return memmove(to, from, count * sizeof(wchar_t));
}

wchar_t* wmemset(wchar_t* to, wchar_t c, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        to[i] = c;
    return to;
}

int wmemcmp(const wchar_t* a, const wchar_t* b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

wchar_t* wmemchr(const wchar_t* s, wchar_t c, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (s[i] == c)
            return (wchar_t*)&s[i];
    }
    return NULL;
}
