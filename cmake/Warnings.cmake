# One INTERFACE target carries the warning flags of every target of ours.
add_library(quibel_warnings INTERFACE)
target_compile_options(quibel_warnings INTERFACE -Wall -Wextra -Wpedantic
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
if(QUIBEL_WERROR)
  target_compile_options(quibel_warnings INTERFACE -Werror)
endif()
