# SPDX-License-Identifier: GPL-3.0-or-later
# Runs quibel-cli as a user would and checks its exit code and, when given, that its output
# contains the expected text. Arguments: CLI, ARGS (;-list), EXIT, [STDOUT_HAS], [STDERR_HAS],
# [WORKDIR].
if(NOT WORKDIR)
  set(WORKDIR ${CMAKE_CURRENT_BINARY_DIR})
endif()
separate_arguments(arg_list UNIX_COMMAND "${ARGS}")
execute_process(COMMAND ${CLI} ${arg_list}
  WORKING_DIRECTORY ${WORKDIR}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc STREQUAL EXIT)
  message(FATAL_ERROR "exit code ${rc}, expected ${EXIT}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED STDOUT_HAS)
  string(FIND "${out}" "${STDOUT_HAS}" pos)
  if(pos EQUAL -1)
    message(FATAL_ERROR "stdout lacks '${STDOUT_HAS}':\n${out}")
  endif()
endif()
if(DEFINED STDERR_HAS)
  string(FIND "${err}" "${STDERR_HAS}" pos)
  if(pos EQUAL -1)
    message(FATAL_ERROR "stderr lacks '${STDERR_HAS}':\n${err}")
  endif()
endif()
