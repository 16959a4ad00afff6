# tabulon-cli arith, function, simulate and design: the Beräkna and Försöksplanering commands
# on files, compared with values worked by hand.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(out ${CMAKE_CURRENT_BINARY_DIR}/cli_calculation_out)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})
set(EN --lang en --decimal-separator .)

# A = 1, 2, 3 and B = 2, -, 5: the row with the gap in B gets no value, the others 2A + B.
file(WRITE ${out}/ab.txt "A\tB\r\n1\t2\r\n2\t\r\n3\t5\r\n")
cli_expect(EXIT 0 ARGS ${EN} arith ${out}/ab.txt ${out}/arith.txt --expression "1: A*2 + 2: B"
           --titles OUTPUT "result will be entered in column 3")
expect_file(${out}/arith.txt
  "\t\t1\t2\t3\r\n\t\tA\tB\tKol 3\r\n1\t\t1\t2\t4\r\n2\t\t2\t\t\r\n3\t\t3\t5\t11\r\n4\t\t\t\t")
# Typed in the Swedish window with a decimal comma: -3 squared in a cell stays 9.
file(WRITE ${out}/neg.txt "-3\r\n0,5\r\n")
cli_expect(EXIT 0 ARGS --lang sv --decimal-separator , arith ${out}/neg.txt ${out}/sq.txt
           --expression "1: ^2+0,25" OUTPUT "Resultatet läggs i kolumn 2")
expect_file(${out}/sq.txt "-3\t9,25\r\n0,5\t0,5")

# Funktioner in place: Centrera 1, 2, 9 (about the midrange 5), Normera 3, 4 (length 5),
# Skala to 2.5 times the largest absolute value.
foreach(case "center;1\r\n2\r\n9;-4\r\n-3\r\n4" "norm;3\r\n4;0.6\r\n0.8"
             "scale;2\r\n-4;1.25\r\n-2.5")
  list(GET case 0 function)
  list(GET case 1 given)
  list(GET case 2 want)
  file(WRITE ${out}/${function}.txt "${given}")
  cli_expect(EXIT 0 ARGS ${EN} function ${out}/${function}.txt ${out}/${function}_out.txt
             --column 1 --function ${function} --argument 2.5)
  expect_file(${out}/${function}_out.txt "${want}")
endforeach()

# Refusals name the cell and write nothing: ln of 0, a text in the column, an unknown column.
file(WRITE ${out}/zero.txt "x\r\n2\r\n0\r\n")
cli_expect(EXIT 1 ARGS ${EN} function ${out}/zero.txt ${out}/never.txt --column x
           --function ln --titles ERROR "Number <0 or =0 in column (row 2)")
file(WRITE ${out}/text.txt "1\r\nabc\r\n")
cli_expect(EXIT 1 ARGS ${EN} function ${out}/text.txt ${out}/never.txt --column 1
           --function sqrt ERROR "'abc' is not a valid number (column 1, row 2)")
cli_expect(EXIT 1 ARGS ${EN} function ${out}/text.txt ${out}/never.txt --column Q
           --function abs ERROR "No column is named Q")
if(EXISTS ${out}/never.txt)
  message(FATAL_ERROR "a refused function wrote its output")
endif()
cli_expect(EXIT 2 ARGS ${EN} function ${out}/text.txt ${out}/x.txt --column 1 --function cube)

# Simulation with standard deviation 0 is exact: y = 1 + 2x over 0..1 in two series, and n = 1
# writes the lowest x. The same seed gives the same series.
cli_expect(EXIT 0 ARGS ${EN} simulate ${out}/line.txt regression --intercept 1 --slope 2 --sd 0
           --count 3 --from 0 --to 1 --series 2 --seed 1)
expect_file(${out}/line.txt
  "\t\t1\t2\t3\r\n\t\tx1\ty1\ty2\r\n1\t\t0\t1\t1\r\n2\t\t0.5\t2\t2\r\n3\t\t1\t3\t3")
cli_expect(EXIT 0 ARGS ${EN} simulate ${out}/one.txt regression --intercept 1 --slope 2 --sd 0
           --count 1 --from 5 --to 9 --seed 1)
expect_file(${out}/one.txt "\t\t1\t2\r\n\t\tx1\ty1\r\n1\t\t5\t11")
foreach(copy a b)
  cli_expect(EXIT 0 ARGS ${EN} simulate ${out}/n_${copy}.txt normal --mean 10 --sd 2
             --count 50 --seed 77)
endforeach()
file(READ ${out}/n_a.txt first)
file(READ ${out}/n_b.txt second)
if(NOT first STREQUAL second OR first MATCHES "\t10\r\n\\S*\t10\r\n")
  message(FATAL_ERROR "a seeded normal simulation was not repeatable or not random:\n${first}")
endif()
cli_expect(EXIT 1 ARGS ${EN} simulate ${out}/huge.txt normal --mean 0 --sd 1 --count 1000000
           ERROR "The number of data points must lie between 1 and 99999")

# Designs: 2^3 in N = 4 main effects is an unconfounded, balanced fraction (not necessarily the
# orthogonal half); 3^2 in 9 runs is the full factorial. Checked from the matrix itself: the
# runs differ, no two columns are equal, a column holds every level.
foreach(case "3;2;4;main;3;OFF" "2;3;9;two;3;ON")
  list(GET case 0 k)
  list(GET case 1 levels)
  list(GET case 2 runs)
  list(GET case 3 model)
  list(GET case 4 columns)
  list(GET case 5 full)
  execute_process(COMMAND ${CLI} ${EN} design ${out}/design.txt --variables ${k} --levels
                  ${levels} --runs ${runs} --model ${model} --seed 3 --json
                  RESULT_VARIABLE rc OUTPUT_VARIABLE json)
  string(JSON got_columns LENGTH "${json}" columns)
  string(JSON got_runs LENGTH "${json}" matrix)
  string(JSON got_confounded GET "${json}" confounded_pairs)
  string(JSON got_full GET "${json}" full_factorial)
  if(NOT rc EQUAL 0 OR NOT got_columns EQUAL columns OR NOT got_runs EQUAL runs OR
     NOT got_confounded EQUAL 0 OR NOT got_full STREQUAL full)
    message(FATAL_ERROR "design ${case}: ${json}")
  endif()
  math(EXPR last_run "${runs} - 1")
  math(EXPR last_column "${columns} - 1")
  set(column_texts "")
  foreach(c RANGE ${last_column})
    set(text "")
    set(seen "")
    foreach(r RANGE ${last_run})
      string(JSON level GET "${json}" matrix ${r} ${c})
      string(APPEND text "${level},")
      list(APPEND seen ${level})
    endforeach()
    list(REMOVE_DUPLICATES seen)
    list(LENGTH seen distinct)
    if(NOT distinct EQUAL levels OR text IN_LIST column_texts)
      message(FATAL_ERROR "design ${case}: column ${c} [${text}] unbalanced or repeated")
    endif()
    list(APPEND column_texts "${text}")
  endforeach()
  set(run_texts "")
  foreach(r RANGE ${last_run})
    string(JSON run GET "${json}" matrix ${r})
    if(run IN_LIST run_texts)
      message(FATAL_ERROR "design ${case}: run ${run} twice")
    endif()
    list(APPEND run_texts "${run}")
  endforeach()
endforeach()
cli_expect(EXIT 0 ARGS ${EN} design ${out}/values.txt --variables 2 --levels 2 --runs 4
           --model main --values "0,10;1,3" --names T,P --seed 2)
file(STRINGS ${out}/values.txt lines)
list(GET lines 1 captions)
if(NOT captions MATCHES "^\t\tRespons\tT\tP")
  message(FATAL_ERROR "design captions: ${captions}")
endif()
list(SUBLIST lines 2 4 runs)
foreach(run IN LISTS runs)
  if(NOT run MATCHES "^[1-4]\tExp [1-4]\t\t(0|10)\t(1|3)$")
    message(FATAL_ERROR "design run with values: [${run}]")
  endif()
endforeach()
cli_expect(EXIT 1 ARGS ${EN} design ${out}/single.txt --variables 2 --levels 3 --runs 1
           --model two ERROR "A design needs at least two experiments; nothing was written")
if(EXISTS ${out}/single.txt)
  message(FATAL_ERROR "a one-run design was written")
endif()
cli_expect(EXIT 2 ARGS ${EN} design ${out}/x.txt --variables 2 --levels 4 --runs 4)
