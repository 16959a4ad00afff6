# Helpers for the tabulon-cli tests: run the program and compare what it prints.
# Each tests/cli/*.cmake is run with -DCLI=<tabulon-cli> -DDATA=<tests/data>.

# cli_expect(EXIT code OUTPUT text ARGS arg...): stdout must equal text (lines joined by
# "\n", a trailing newline ignored) and the exit status must be code.
function(cli_expect)
  cmake_parse_arguments(E "" "EXIT;OUTPUT" "ARGS" ${ARGN})
  execute_process(COMMAND ${CLI} ${E_ARGS}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX REPLACE "\n$" "" out "${out}")
  if(NOT "${rc}" STREQUAL "${E_EXIT}")
    message(FATAL_ERROR "tabulon-cli ${E_ARGS}: exit ${rc}, expected ${E_EXIT}\n${out}\n${err}")
  endif()
  if(DEFINED E_OUTPUT AND NOT "${out}" STREQUAL "${E_OUTPUT}")
    message(FATAL_ERROR "tabulon-cli ${E_ARGS}:\n got: [${out}]\nwant: [${E_OUTPUT}]")
  endif()
endfunction()
