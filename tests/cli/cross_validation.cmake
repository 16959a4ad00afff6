# tabulon-cli press and optimise: the PRESS window's text and JSON, the refusals, and the
# count Optimera chooses with the model it then fits.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(D ${DATA}/models)
set(SV --lang sv --decimal-separator .)

# line4.txt: x = 1..4, z = 2, 4, 5, 9; each point predicted by the line through the other three,
# worked by hand: residuals -1, -1/7, 11/7, -7/3, PRESS = 3940/441, RMS = sqrt(PRESS/4).
cli_expect(EXIT 0 ARGS ${SV} press mlr ${D}/line4.txt --titles --z z --x x
           OUTPUT "File name = ${D}/line4.txt\nPRESS: Multipel Linear Regression\nAntal variabler = 1\nAntal datapunkter = 4\n\nRMS = 1.4945")
expect_match("\"press\":8.9342403628117[89],\"rmsecv\":1.4945099834738[0-9],.*\"residuals\":\\[-1,-0.142857142857143,1.57142857142857,-2.33333333333333\\]"
             ${SV} press mlr ${D}/line4.txt --titles --z z --x x --json)

# PLS: the PRESS of every count up to the one asked for; the last is the PRESS itself.
execute_process(COMMAND ${CLI} --lang en --decimal-separator . press pls ${D}/small.txt --titles
                        --z z --x x1,x2,x3 --factors 2 --json OUTPUT_VARIABLE got)
if(NOT got MATCHES "\"caption\":\"PRESS: Partial Least Squares: 2 factors\",.*\"factors\":2,\"press\":([0-9.]+),.*\"press_per_factor_count\":\\[[0-9.]+,([0-9.]+)\\]"
   OR NOT CMAKE_MATCH_1 STREQUAL CMAKE_MATCH_2)
  message(FATAL_ERROR "press pls --factors 2: [${got}]")
endif()

# Optimera on small.txt: the cross-validated RMS falls from 1 to 2 factors and rises at 3, so 2
# are chosen, and the model is PLS with 2 factors (b0 = -0.349054 from the NIPALS loop in R, as
# in models.cmake).
cli_expect(EXIT 0 ARGS ${SV} optimise pls ${D}/small.txt --titles --z z --x x1,x2,x3
           OUTPUT "File name = ${D}/small.txt\nOPT: Partial Least Squares: 2 faktorer\nAntal variabler = 3\nAntal datapunkter = 6\n\nLinjärt samband:\n4:z =\n-0.349054\n+0.856652*1:x1\n+0.922205*2:x2\n+0.139513*3:x3\n\nRMS = 0.16948")
expect_match("\"factors\":2,\"rmsecv\":\\[1\\.9[0-9]*,0\\.3[0-9]*,0\\.5[0-9]*\\]"
             ${SV} optimise pcr ${D}/small.txt --titles --z z --x x1,x2,x3 --json)

# Refusals (n = p + 1 rows) and usage.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/cv_three.csv "a,b,z\n1,4,1\n2,1,2\n3,5,4\n")
cli_expect(EXIT 1 OUTPUT "" ERROR "För få datapunkter.."
           ARGS ${SV} press mlr ${CMAKE_CURRENT_BINARY_DIR}/cv_three.csv --titles --z z --x a,b)
cli_expect(EXIT 2 ARGS ${SV} press ${D}/small.txt --titles --z z --x x1)
cli_expect(EXIT 2 ARGS ${SV} optimise mlr ${D}/small.txt --titles --z z --x x1)
cli_expect(EXIT 2 ARGS ${SV} press mlr ${D}/small.txt --titles --z z --x x1 --factors 2)
