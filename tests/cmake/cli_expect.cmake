# Helpers for the tabulon-cli tests: run the program and compare what it prints.
cmake_minimum_required(VERSION 3.20)
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

# expect_match(pattern arg...): exit 0 and stdout matching the regular expression.
function(expect_match pattern)
  execute_process(COMMAND ${CLI} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE got
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT got MATCHES "${pattern}")
    message(FATAL_ERROR "tabulon-cli ${ARGN}: exit ${rc}\n got: [${got}${err}]\nwant: ${pattern}")
  endif()
endfunction()

# expect_file(path text): the file's bytes equal the text. Compared as hex: file(READ) as
# text would fold the CR LF line ends.
function(expect_file path want)
  file(READ ${path} got HEX)
  string(HEX "${want}" want_hex)
  if(NOT got STREQUAL want_hex)
    message(FATAL_ERROR "${path}:\n got: ${got}\nwant: ${want_hex}")
  endif()
endfunction()
