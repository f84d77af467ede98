# SPDX-License-Identifier: GPL-3.0-or-later
# quibel_library(<name> SOURCES <files...> [DEPENDS <targets...>])
# One static library of ours: quibel_<name> with its alias quibel::<name>, the sources' root as
# its include folder, the libraries it builds on as public links and our warning flags.
function(quibel_library name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;DEPENDS")
  add_library(quibel_${name} STATIC ${ARG_SOURCES})
  add_library(quibel::${name} ALIAS quibel_${name})
  target_include_directories(quibel_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quibel_${name} PUBLIC ${ARG_DEPENDS} PRIVATE quibel_warnings)
endfunction()
