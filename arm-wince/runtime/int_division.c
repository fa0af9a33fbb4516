/* Integer division for the StrongARM, which has no divide instruction: the
 * helpers gcc calls for / and % on 32- and 64-bit integers. Shift-and-subtract
 * long division; a division by zero gives quotient 0 and leaves the dividend
 * as remainder, and the most negative number divided by -1 wraps, as two's
 * complement arithmetic does. One long division serves both widths. */

#include <stdint.h>

static uint64_t udivmod64(uint64_t n, uint64_t d, uint64_t* remainder)
{
    uint64_t quotient = 0;
    uint64_t bit = 1;
    if (d == 0) {
        *remainder = n;
        return 0;
    }
    while (d <= n && !(d & 0x8000000000000000ull)) {
        d <<= 1;
        bit <<= 1;
    }
    while (bit) {
        if (n >= d) {
            n -= d;
            quotient |= bit;
        }
        d >>= 1;
        bit >>= 1;
    }
    *remainder = n;
    return quotient;
}

/* Magnitudes in unsigned arithmetic, so that the most negative value has one. */
static uint32_t magnitude32(int32_t v) { return v < 0 ? 0u - (uint32_t)v : (uint32_t)v; }
static uint64_t magnitude64(int64_t v) { return v < 0 ? 0u - (uint64_t)v : (uint64_t)v; }

uint32_t __udivsi3(uint32_t n, uint32_t d)
{
    uint64_t r;
    return (uint32_t)udivmod64(n, d, &r);
}

uint32_t __umodsi3(uint32_t n, uint32_t d)
{
    uint64_t r;
    udivmod64(n, d, &r);
    return (uint32_t)r;
}

int32_t __divsi3(int32_t n, int32_t d)
{
    uint64_t r;
    const uint32_t q = (uint32_t)udivmod64(magnitude32(n), magnitude32(d), &r);
    return (int32_t)((n < 0) != (d < 0) ? 0u - q : q);
}

/* The remainder takes the dividend's sign (C's truncating division). */
int32_t __modsi3(int32_t n, int32_t d)
{
    uint64_t r;
    udivmod64(magnitude32(n), magnitude32(d), &r);
    return (int32_t)(n < 0 ? 0u - (uint32_t)r : (uint32_t)r);
}

uint64_t __udivdi3(uint64_t n, uint64_t d)
{
    uint64_t r;
    return udivmod64(n, d, &r);
}

uint64_t __umoddi3(uint64_t n, uint64_t d)
{
    uint64_t r;
    udivmod64(n, d, &r);
    return r;
}

int64_t __divdi3(int64_t n, int64_t d)
{
    uint64_t r;
    const uint64_t q = udivmod64(magnitude64(n), magnitude64(d), &r);
    return (int64_t)((n < 0) != (d < 0) ? 0u - q : q);
}

int64_t __moddi3(int64_t n, int64_t d)
{
    uint64_t r;
    udivmod64(magnitude64(n), magnitude64(d), &r);
    return (int64_t)(n < 0 ? 0u - r : r);
}
