# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening Debian asks of compiled programs, with GCC and Clang: a stack protector,
# fortified C library calls, a position-independent executable, and on ELF systems a
# relocation table made read-only and bound at start-up (full RELRO, BIND_NOW).
# The sanitizer and fuzz builds bring their own instrumentation and go without it.
option(KARTAK_HARDENING "Build with stack protector, fortify, PIE and full RELRO" ON)

if(KARTAK_HARDENING AND NOT KARTAK_SANITIZE AND NOT KARTAK_FUZZ AND NOT WIN32
   AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  # Fortification needs the optimiser; a compiler that defines it already gets our level.
  add_compile_options(
    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  if(CMAKE_SYSTEM_NAME MATCHES "Linux|BSD")
    add_link_options(LINKER:-z,relro LINKER:-z,now)
  endif()
endif()
