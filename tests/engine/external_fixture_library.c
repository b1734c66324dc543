/* Functions for the tests of external functions. Each weighs its arguments
   by their place, so arguments passed in the wrong order give another result. */

#include <stdio.h>
#include <string.h>

double add3(double a, double b, double c) { return a + 10 * b + 100 * c; }

double weigh5(double a, double b, double c, double d, double e) { return a + 2 * b + 3 * c + 4 * d + 5 * e; }

double weigh11(double a1, double a2, double a3, double a4, double a5, double a6, double a7, double a8, double a9,
               double a10, double a11) {
    return a1 + 2 * a2 + 3 * a3 + 4 * a4 + 5 * a5 + 6 * a6 + 7 * a7 + 8 * a8 + 9 * a9 + 10 * a10 + 11 * a11;
}

const char* greet(const char* name, double times) {
    static char text[64];
    snprintf(text, sizeof text, "hello %s x%g", name, times);
    return text;
}

double mixed(double a, const char* s, double b, const char* t) {
    return 1000 * a + b + 10 * (double)strlen(s) + 100 * (double)strlen(t);
}

const char* nothing(void) { return 0; }
