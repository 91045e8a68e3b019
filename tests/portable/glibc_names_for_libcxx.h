// Read before every source of a strict POSIX build on glibc (ORVANE_STRICT_POSIX). libc++'s
// own headers call these glibc functions, which glibc declares only for _GNU_SOURCE (the
// *_l conversions, vasprintf, pthread_cond_clockwait) or _DEFAULT_SOURCE (isascii); macOS and
// the BSDs give libc++ the same names through their own headers. Declared here, they let the
// C++ library build while our sources see nothing beyond POSIX 2008.
#pragma once

#include <locale.h>
#include <pthread.h>
#include <stdarg.h>
#include <time.h>

// Only where glibc itself has not declared them (its own feature macros, set by <locale.h>).
extern "C" {
#ifndef __USE_GNU
long long strtoll_l(const char* text, char** end, int base, locale_t locale);
unsigned long long strtoull_l(const char* text, char** end, int base, locale_t locale);
float strtof_l(const char* text, char** end, locale_t locale);
double strtod_l(const char* text, char** end, locale_t locale);
long double strtold_l(const char* text, char** end, locale_t locale);
int vasprintf(char** text, const char* format, va_list arguments);
int pthread_cond_clockwait(pthread_cond_t* condition, pthread_mutex_t* mutex, clockid_t clock,
                           const struct timespec* until);
#endif
#if !defined(__USE_MISC) && !defined(__USE_XOPEN)
int isascii(int c);
#endif
}
