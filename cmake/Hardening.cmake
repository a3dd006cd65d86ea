# SPDX-License-Identifier: BSD-2-Clause
# The flags Debian builds its packages with (dpkg-buildflags with hardening=+all on
# Debian 12), so that the programs in the package are hardened like the distribution's own:
# bounds-checked libc calls, a stack protector, read-only relocations bound at start-up and
# position-independent executables.
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# _FORTIFY_SOURCE needs the optimiser; glibc warns (an error here) in an unoptimised build.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security -Wdate-time)
add_link_options(LINKER:-z,relro LINKER:-z,now)
