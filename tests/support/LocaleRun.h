// SPDX-License-Identifier: BSD-2-Clause
#pragma once

// The locale runs: tests/CMakeLists.txt registers some test programs a second time with
// LC_ALL=de_DE.UTF-8 and SATTRAIL_EXPECT_DECIMAL_COMMA=1 in the environment, where they must
// see exactly the texts of the normal run.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace sattrail::testing {

// Call once the Qt application exists, since Qt sets the C library's locale from the
// environment when it starts. In a locale run the C library must then write decimal commas;
// a locale that is not installed leaves "C" in place and would let the run pass without
// proving anything, so the program ends at once with status 1 and says why (without the
// destructors of a half-started Qt).
inline void RequireTheDecimalCommaOfALocaleRun() {
  const char* expected = std::getenv("SATTRAIL_EXPECT_DECIMAL_COMMA");
  if (expected == nullptr || std::string_view(expected) != "1") return;
  const char* point = std::localeconv()->decimal_point;
  if (std::string_view(point) == ",") return;
  const char* locale = std::getenv("LC_ALL");
  std::fprintf(stderr,
               "locale run: the C library writes \"%s\" instead of a decimal comma under "
               "LC_ALL=%s; is that locale installed? (scripts/install-deps generates it)\n",
               point, locale != nullptr ? locale : "");
  std::_Exit(1);
}

}  // namespace sattrail::testing
