# SPDX-License-Identifier: GPL-3.0-or-later
# quibel_link_archive(TARGET SCOPE NAME FALLBACK...): links TARGET to the static archive
# libNAME.a of a system library when the system has one, else to FALLBACK (the shared library's
# target). A command-line run lasts milliseconds; each shared object the loader maps and
# relocates at its start costs a noticeable share of that.
function(quibel_link_archive target scope name)
  find_library(QUIBEL_ARCHIVE_${name} NAMES lib${name}.a)
  # Sanitized builds keep the shared libraries, whose known leaks the suppressions name.
  if(QUIBEL_ARCHIVE_${name} AND NOT QUIBEL_SANITIZE)
    target_link_libraries(${target} ${scope} ${QUIBEL_ARCHIVE_${name}})
  else()
    target_link_libraries(${target} ${scope} ${ARGN})
  endif()
endfunction()
