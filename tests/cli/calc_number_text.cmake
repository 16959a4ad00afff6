# tabulon-cli calc of the graph formatters and tick helpers.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
cli_expect(EXIT 0 OUTPUT "1.00E+7" ARGS calc FormatSignificant 3 9996000)  # carry renormalised
cli_expect(EXIT 0 OUTPUT "0.050" ARGS calc FormatTickShort 0.05)
cli_expect(EXIT 0 OUTPUT "" ARGS calc FormatTickShort 0.0005)             # no label
cli_expect(EXIT 0 OUTPUT "0" ARGS calc FormatFixedTrim -0.0000001)        # never -0
cli_expect(EXIT 0 OUTPUT "0\n1" ARGS calc NiceTickStep 0 19)
cli_expect(EXIT 1 OUTPUT "fail" ARGS calc NiceTickStep 5 5)               # empty range
cli_expect(EXIT 0 OUTPUT "1" ARGS calc FirstTickAbove 0 1)
cli_expect(EXIT 0 OUTPUT "0.2" ARGS calc LastTickBelow 0.3 0.1)
cli_expect(EXIT 1 OUTPUT "fail" ARGS calc FirstTickAbove 1 0)             # no step
cli_expect(EXIT 2 ARGS calc FormatSignificant 3.5 1)                      # DIGITS whole
