# tabulon-cli stats and normplot: the x-Data window's copied text, its values as JSON, graph
# files, and the refusals.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(sheet ${DATA}/univariate/outliers.tbn)
set(out ${CMAKE_CURRENT_BINARY_DIR}/cli_stats_out)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})

# The text is the window's Kopiera > Text text with its CRs made line feeds: the x-Data GUI
# test compares the window's copy against the same file. Column Halt: ten values with 13,5 on
# row 9 (row 4 is empty). By hand and R: mean 10.38, median 10.05, sd 1.1063, qt on its grid
# t(9, 0.025) = 2.262, Grubbs' G = 2.82 significant at every level down to 1 %.
file(READ ${DATA}/univariate/outliers_halt_sv.txt halt_sv)
string(REGEX REPLACE "\n$" "" halt_sv "${halt_sv}")
cli_expect(EXIT 0 ARGS --lang sv --decimal-separator , stats ${sheet} --column Halt
           OUTPUT "${halt_sv}")
# The column by number gives the same.
cli_expect(EXIT 0 ARGS --lang sv --decimal-separator , stats ${sheet} --column 1
           OUTPUT "${halt_sv}")

# Dixon in English at 99 %. Q = 3.2/3.7 by hand; R: qt(0.995, 9) = 3.2498 and qchisq(c(0.995,
# 0.005), 9) = 23.589, 1.7349 on their grids: sqrt(1.224)*3.249, sqrt(11.016/23.589), ...
cli_expect(EXIT 0 ARGS --lang en --decimal-separator , stats ${sheet} --column Halt --test dixon
                       --level 99
           OUTPUT "Halt\nData:\n Mean = 10,38\n Median = 10,05\n Standard deviation = 1,1063\n Variance = 1,224\n Coefficient of variation (%) = 10,658\n Number of data points = 10\n \nConfidence interval (99%):\n Variable = 10,38±3,5945\n True mean = 10,38±1,1367\n Standard deviation = [0,68337;2,5199]\n \nOutliers:\n Q=0,86486\n Outlier = 13,5 at row 9 at 1%-Level (doubble sided test)\n ")
# Gauss as JSON, every number to 15 digits as R gives them: sqrt(1.224), 100*sqrt(1.224)/10.38,
# 10.38 -+ sqrt(1.224)*2.262, sqrt(11.016/19.022); u = 20.8 for 13.5 against the other nine.
cli_expect(EXIT 0 ARGS --lang sv --decimal-separator , stats ${sheet} --column Halt --test gauss
                       --json
           OUTPUT "{\"caption\":\"Halt\",\"n\":10,\"mean\":10.38,\"median\":10.05,\"std_dev\":1.10634533487515,\"variance\":1.224,\"variation_percent\":10.6584328986045,\"min\":9.8,\"max\":13.5,\"level\":95,\"t\":2.262,\"value_interval\":[7.87744685251242,12.8825531474876],\"mean_interval\":[9.5886232088316,11.1713767911684],\"sigma_interval\":[0.76099863005172,2.01978878030141],\"outliers\":{\"test\":\"Gauss\",\"ran\":true,\"all_equal\":false,\"upper\":\"13,5 på rad 9 kan förkastas på 0,1%-nivån.\",\"lower\":\"Detta kan vara rimligt eftersom nivågränsen för outlier är 2,78%. (u=20,8)\",\"gauss\":{\"has_result\":true,\"suspect\":13.5,\"row\":\"9\",\"u\":20.8,\"level_percent\":0.1,\"limit_percent\":2.77777777777778}}}")
# Three values: equal gaps, the upper one is the suspect, Q = 1/2, no outlier.
cli_expect(EXIT 0 ARGS --lang en --decimal-separator , stats ${sheet} --column Tre --test dixon
                       --json
           OUTPUT "{\"caption\":\"Tre\",\"n\":3,\"mean\":2,\"median\":2,\"std_dev\":1,\"variance\":1,\"variation_percent\":50,\"min\":1,\"max\":3,\"level\":95,\"t\":4.302,\"value_interval\":[-2.302,6.302],\"mean_interval\":[-0.48376085805377,4.48376085805377],\"sigma_interval\":[0.520660345327292,6.28446264799876],\"outliers\":{\"test\":\"Dixon\",\"ran\":true,\"all_equal\":false,\"upper\":\"Q=0,5\",\"lower\":\"No Outlier\",\"dixon\":{\"Q\":0.5,\"suspect\":3,\"row\":\"3\",\"confidence\":0,\"level_percent\":100}}}")

# Two values at 99.99 %: qchisq(0.00005, 1) = 3.926991e-09 (R) is below the χ² grid and taken
# exactly, sqrt(2/3.926991e-09) = 22568; qt(0.99995, 1) = 6366.198, on its grid 6366.197.
file(WRITE ${out}/two.txt "-1\n1\n")
cli_expect(EXIT 0 ARGS --lang en --decimal-separator . stats ${out}/two.txt --column 1 --level 99.99
           OUTPUT "1\nData:\n Mean = 0\n Median = 0\n Standard deviation = 1.4142\n Variance = 2\n Coefficient of variation (%) = Impossible. Mean=0\n Number of data points = 2\n \nConfidence interval (99.99%):\n Variable = 0±9003.2\n True mean = 0±6366.2\n Standard deviation = [0.3487;22568]\n \nOutliers:\n \n")
# Gaps of a tenth at both ends compare equal as typed: the upper value, on row 3, is Dixon's
# suspect (by hand); sd 0.1, qt(0.975, 2) = 4.302653 on its grid 4.302, qchisq(c(0.975, 0.025),
# 2) = 7.377759, 0.05063562 on their grids: sqrt(0.02/7.3777), sqrt(0.02/0.05063) (R).
file(WRITE ${out}/tenths.txt "434.1\n434.2\n434.3\n")
cli_expect(EXIT 0 ARGS --lang en --decimal-separator . stats ${out}/tenths.txt --column 1 --test dixon
                       --json
           OUTPUT "{\"caption\":\"1\",\"n\":3,\"mean\":434.2,\"median\":434.2,\"std_dev\":0.1,\"variance\":0.01,\"variation_percent\":0.0230308613542146,\"min\":434.1,\"max\":434.3,\"level\":95,\"t\":4.302,\"value_interval\":[433.7698,434.6302],\"mean_interval\":[433.951623914195,434.448376085805],\"sigma_interval\":[0.0520660345327292,0.628446264799876],\"outliers\":{\"test\":\"Dixon\",\"ran\":true,\"all_equal\":false,\"upper\":\"Q=0.5\",\"lower\":\"No Outlier\",\"dixon\":{\"Q\":0.5,\"suspect\":434.3,\"row\":\"3\",\"confidence\":0,\"level_percent\":100}}}")

# Graph files through the window's drawing routine (a tabulon-cli built without Qt says it
# cannot write them, and is not asked to).
execute_process(COMMAND ${CLI} --decimal-separator , stats ${sheet} --column Halt
                        --graph ${out}/halt.png --size 320x200
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(err MATCHES "without Qt")
  message(STATUS "graph files skipped: ${err}")
else()
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "stats --graph: exit ${rc}\n${err}")
  endif()
  file(READ ${out}/halt.png head LIMIT 4 HEX)
  if(NOT head STREQUAL "89504e47")
    message(FATAL_ERROR "halt.png is not a PNG: ${head}")
  endif()
  cli_expect(EXIT 0 ARGS --decimal-separator , normplot ${sheet} --column Tre
                         --graph ${out}/np.svg)
  file(READ ${out}/np.svg svg)
  if(NOT svg MATCHES "<svg")
    message(FATAL_ERROR "np.svg is not an SVG")
  endif()
endif()
# The plotted points: value, plotting position (i + 0.5)/n, score (R: qnorm(1/6) = -0.96742).
cli_expect(EXIT 0 ARGS --decimal-separator , normplot ${sheet} --column Tre
           OUTPUT "1\t0,166667\t-0,96742\n2\t0,5\t0\n3\t0,833333\t0,967417")

# Refusals: two data columns and none named, a level outside 80..99.99, an unknown test
# (usage, 2); a column that does not exist, cells that are not numbers with this separator,
# a missing file (refused, 1).
cli_expect(EXIT 2 ARGS stats ${sheet})
cli_expect(EXIT 2 ARGS --decimal-separator , stats ${sheet} --column Halt --level 50)
cli_expect(EXIT 2 ARGS --decimal-separator , stats ${sheet} --column Halt --test student)
cli_expect(EXIT 2 ARGS --decimal-separator , stats ${sheet} --columns Halt,Tre)
cli_expect(EXIT 1 ARGS --decimal-separator , stats ${sheet} --column Nej)
cli_expect(EXIT 1 ARGS --decimal-separator . stats ${sheet} --column Halt)
cli_expect(EXIT 1 ARGS stats ${out}/no_such_file.tbn --column 1)
cli_expect(EXIT 1 ARGS --decimal-separator . normplot ${sheet} --column Halt)
