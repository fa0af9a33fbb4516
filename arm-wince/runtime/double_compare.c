/* The double comparisons gcc calls, over COREDLL's software helpers. The
 * other double helpers gcc calls are COREDLL's under another name (see
 * lib/coredll.def); the comparisons differ: COREDLL's return true (non-zero)
 * or false, libgcc's a number whose sign, or zero, gcc tests.
 *
 * Built once per relation (one object each, CE_COMPARE_...), so a program
 * imports only the COREDLL helpers its own comparisons use. */

#if defined(CE_COMPARE_EQ)
int __eqd(double, double);

/* Zero when equal; non-zero when unequal or unordered. */
int __eqdf2(double a, double b) { return !__eqd(a, b); }
int __nedf2(double a, double b) { return !__eqd(a, b); }
/* Non-zero when either is a NaN, the one value unequal to itself. */
int __unorddf2(double a, double b) { return !__eqd(a, a) || !__eqd(b, b); }

#elif defined(CE_COMPARE_LT)
int __ltd(double, double);

/* Negative when a < b; zero otherwise (also when unordered). */
int __ltdf2(double a, double b) { return __ltd(a, b) ? -1 : 0; }

#elif defined(CE_COMPARE_LE)
int __led(double, double);

/* Zero when a <= b; positive otherwise. */
int __ledf2(double a, double b) { return __led(a, b) ? 0 : 1; }

#elif defined(CE_COMPARE_GT)
int __gtd(double, double);

/* Positive when a > b; zero otherwise. */
int __gtdf2(double a, double b) { return __gtd(a, b) ? 1 : 0; }

#elif defined(CE_COMPARE_GE)
int __ged(double, double);

/* Zero when a >= b; negative otherwise. */
int __gedf2(double a, double b) { return __ged(a, b) ? 0 : -1; }

#else
#error "Define one CE_COMPARE_... relation"
#endif
