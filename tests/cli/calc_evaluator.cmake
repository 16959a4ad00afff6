# tabulon-cli calc Evaluate / EvaluateAt: values as the shortest text, failures print fail.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
cli_expect(EXIT 0 OUTPUT "8" ARGS calc Evaluate "8/2*2")             # left to right
cli_expect(EXIT 0 OUTPUT "1" ARGS calc Evaluate "(1/3)*3")           # no 10-digit rounding
cli_expect(EXIT 0 OUTPUT "1.5707963267949" ARGS calc Evaluate "arcsin(1)")  # R: asin(1)
cli_expect(EXIT 1 OUTPUT "fail" ARGS calc Evaluate "5/0")
cli_expect(EXIT 0 OUTPUT "15" ARGS calc EvaluateAt "x^2 + 2*x" 3)    # worked by hand
cli_expect(EXIT 1 OUTPUT "fail" ARGS calc EvaluateAt "ln(x)" 0)
cli_expect(EXIT 2 ARGS calc EvaluateAt "x" abc)                      # X is not a number
cli_expect(EXIT 2 ARGS calc Evaluate)                                # TEXT missing
