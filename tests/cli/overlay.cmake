# tabulon-cli overlay and correlations: the overlay table and the all-against-all coefficients.
# ov.txt: A = 2x + 1 exactly; B = 0, 1, 2, 3.2, -, 5 (Python from the least-squares formulas:
# k = 0.505405, l = 0.0162162, t(3)·se(k) = 3.182·0.0130553 = 0.0415419; r(x, B) = 0.999001).
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(out ${CMAKE_CURRENT_BINARY_DIR}/cli_overlay_out)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})
set(EN --lang en --decimal-separator .)
file(WRITE ${out}/ov.txt
     "x\tA\tB\r\n0\t1\t0\r\n2\t5\t1\r\n4\t9\t2\r\n6\t13\t3.2\r\n8\t17\t\r\n10\t21\t5\r\n")

execute_process(COMMAND ${CLI} ${EN} overlay ${out}/ov.txt --titles --x x --y A,B
                RESULT_VARIABLE rc OUTPUT_VARIABLE text)
string(REPLACE "\n" ";" lines "${text}")
list(GET lines 0 header)
list(GET lines 1 a)
list(GET lines 2 b)
if(NOT rc EQUAL 0 OR NOT header MATCHES "^x = x\tGraph\tRelation\tn\t"
   OR NOT a MATCHES "^y1 =A\tX\ty=2x\\+1\t6\t1\t21\tk = 2 ± 0\t1\t"
   OR NOT b MATCHES "^y2 =B\tX\ty=0.505405x\\+0.0162162\t5\t0\t5\tk = 0.505405 ± 0.0415419\t0.998002\t")
  message(FATAL_ERROR "overlay: exit ${rc}\n${text}")
endif()

cli_expect(EXIT 0 ARGS ${EN} correlations ${out}/ov.txt --titles --columns x,A,B
           OUTPUT "r\tx\tA\tB\nx\t1.000000\t1.000000\t0.999001\nA\t1.000000\t1.000000\t0.999001\nB\t0.999001\t0.999001\t1.000000")
execute_process(COMMAND ${CLI} ${EN} correlations ${out}/ov.txt --titles --columns x,B --json
                RESULT_VARIABLE rc OUTPUT_VARIABLE json)
string(JSON n GET "${json}" n 0 1)
string(JSON r GET "${json}" r 1 0)
string(JSON caption GET "${json}" columns 1)
if(NOT rc EQUAL 0 OR NOT n EQUAL 5 OR NOT r MATCHES "^0.99900" OR NOT caption STREQUAL "B")
  message(FATAL_ERROR "correlations --json: ${json}")
endif()

# A text among the values is named; a missing --y is a usage error.
file(WRITE ${out}/bad.txt "x\ty\r\n1\t2\r\n2\tabc\r\n")
cli_expect(EXIT 1 ARGS ${EN} correlations ${out}/bad.txt --titles --columns x,y
           ERROR "'abc' is not a valid number")
cli_expect(EXIT 2 ARGS ${EN} overlay ${out}/ov.txt --titles --x x)
