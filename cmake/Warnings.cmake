# SPDX-License-Identifier: GPL-3.0-or-later
# One INTERFACE target carries the warning flags of every target of ours.
add_library(quibel_warnings INTERFACE)
target_compile_options(quibel_warnings INTERFACE -Wall -Wextra -Wpedantic
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
  # GCC 12 reports overlaps inside libstdc++'s own string concatenation at -O3 (a known false
  # positive of that release); the warning stays on for other compilers and releases.
  $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)
if(QUIBEL_WERROR)
  target_compile_options(quibel_warnings INTERFACE -Werror)
endif()
