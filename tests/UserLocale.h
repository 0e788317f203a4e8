#pragma once
// Tests run in the user's locale, as the program does once its application object exists. Under a
// locale that writes "1,5", a conversion that leans on the C library shows its fault. A locale
// that could not be set would silently leave "C" and hide that fault, so the locale matrix names
// the one it expects (PENMARROW_EXPECTED_LOCALE) and a test binary refuses to run in another.

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace penmarrow::tests {

inline bool InExpectedLocale() {
  const char* expected = std::getenv("PENMARROW_EXPECTED_LOCALE");
  const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
  if (!expected || std::strcmp(numeric, expected) == 0) return true;
  std::fprintf(stderr, "the numeric locale is %s, not %s\n", numeric, expected);
  return false;
}

}  // namespace penmarrow::tests
