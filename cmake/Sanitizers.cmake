# SPDX-License-Identifier: GPL-3.0-or-later
# AddressSanitizer + UndefinedBehaviorSanitizer for the whole build tree.
if(QUIBEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzzing builds instrument every library for coverage, so libFuzzer sees into the readers.
if(QUIBEL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
