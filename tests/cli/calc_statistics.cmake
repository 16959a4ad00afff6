# tabulon-cli calc ComputeSampleStatistics: one "name value" line per field.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
# worked by hand: mean 10/4, variance 5/3, median 2.5, sum of squares 30
cli_expect(EXIT 0
           OUTPUT "Mean 2.5\nVariance 1.66666666666667\nMedian 2.5\nStdDev 1.29099444873581\nSumOfSquares 30\nCount 4"
           ARGS calc ComputeSampleStatistics 1 2 3 4)
# NIST NumAcc4-like values: only the last digit differs; the spread survives
cli_expect(EXIT 0
           OUTPUT "Mean 10000000.2\nVariance 0.01\nMedian 10000000.2\nStdDev 0.1\nSumOfSquares 300000012000000\nCount 3"
           ARGS calc ComputeSampleStatistics 10000000.1 10000000.2 10000000.3)
cli_expect(EXIT 1 OUTPUT "fail" ARGS calc ComputeSampleStatistics 5)
cli_expect(EXIT 1 OUTPUT "fail" ARGS calc ComputeSampleStatistics 1 abc 3)
cli_expect(EXIT 2 ARGS calc ComputeSampleStatistics)
