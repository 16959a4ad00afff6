# Helpers for the tabulon-cli tests: run the program and compare what it prints.
# Each tests/cli/*.cmake is run with -DCLI=<tabulon-cli> -DDATA=<tests/data>.

# cli_expect(EXIT code OUTPUT text ERROR text ARGS arg...): stdout (and stderr, when ERROR is
# given) must equal the texts (lines joined by "\n", a trailing newline ignored) and the exit
# status must be code.
function(cli_expect)
  # PARSE_ARGV keeps a ";" inside a text; an empty text ("") still counts as given.
  cmake_parse_arguments(PARSE_ARGV 0 E "" "EXIT;OUTPUT;ERROR" "ARGS")
  foreach(text OUTPUT ERROR)
    list(FIND E_KEYWORDS_MISSING_VALUES ${text} empty)
    if(NOT empty EQUAL -1)
      set(E_${text} "")
    endif()
  endforeach()
  execute_process(COMMAND ${CLI} ${E_ARGS}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX REPLACE "\n$" "" out "${out}")
  string(REGEX REPLACE "\n$" "" err "${err}")
  if(NOT "${rc}" STREQUAL "${E_EXIT}")
    message(FATAL_ERROR "tabulon-cli ${E_ARGS}: exit ${rc}, expected ${E_EXIT}\n${out}\n${err}")
  endif()
  if(DEFINED E_OUTPUT AND NOT "${out}" STREQUAL "${E_OUTPUT}")
    message(FATAL_ERROR "tabulon-cli ${E_ARGS}:\n got: [${out}]\nwant: [${E_OUTPUT}]")
  endif()
  if(DEFINED E_ERROR AND NOT "${err}" STREQUAL "${E_ERROR}")
    message(FATAL_ERROR "tabulon-cli ${E_ARGS}:\n stderr: [${err}]\n  want: [${E_ERROR}]")
  endif()
endfunction()
