# tabulon-cli bars and xyz: the chart's numbers, the graph files, and the refusals.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(out ${CMAKE_CURRENT_BINARY_DIR}/cli_graphs_out)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})
file(WRITE ${out}/three.csv "A,B,C\n1,5,2\n2,3,4\n3,4,6\n")

# worked by hand: A mean 2, s 1; B mean 4, s 1; C mean 4, s 2.
cli_expect(EXIT 0 ARGS --decimal-separator . bars ${out}/three.csv --titles --columns A,B,C
           OUTPUT "Kolumn\tn\tMedelvärde\tStd avv\nA\t3\t2.00000\t1.00000\nB\t3\t4.00000\t1.00000\nC\t3\t4.00000\t2.00000")
cli_expect(EXIT 2 ARGS bars ${out}/three.csv --titles --columns A --type 5)
cli_expect(EXIT 1 ARGS bars ${out}/three.csv --titles --columns D)
# C runs 2 .. 6 while the others start at 1.
cli_expect(EXIT 0 ARGS --lang en --decimal-separator . xyz ${out}/three.csv --titles --columns A,B,C
           OUTPUT "3-Dim plot: 1: A versus  2: B versus  3: C\n1: A: Min= 1.000 Max= 3.000\n2: B: Min= 3.000 Max= 5.000\n3: C: Min= 2.000 Max= 6.000\nPoints drawn: 3")
cli_expect(EXIT 2 ARGS xyz ${out}/three.csv --titles --columns A,B)
cli_expect(EXIT 2 ARGS xyz ${out}/three.csv --titles --columns A,B,C --tilt 400)

execute_process(COMMAND ${CLI} --decimal-separator . bars ${out}/three.csv --titles --columns A,B
                        --type 1 --graph ${out}/bars.png --size 320x200
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(err MATCHES "without Qt")
  message(STATUS "graph files skipped: ${err}")
else()
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "bars --graph: exit ${rc}\n${err}")
  endif()
  file(READ ${out}/bars.png head LIMIT 4 HEX)
  if(NOT head STREQUAL "89504e47")
    message(FATAL_ERROR "bars.png is not a PNG: ${head}")
  endif()
  cli_expect(EXIT 0 ARGS --decimal-separator . xyz ${out}/three.csv --titles --columns A,B,C
                         --rotate 30 --tilt -20 --graph ${out}/xyz.svg)
  file(READ ${out}/xyz.svg svg)
  if(NOT svg MATCHES "<svg")
    message(FATAL_ERROR "xyz.svg is not an SVG")
  endif()
endif()
