# tabulon-cli calc: the distribution functions print their grid values.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
# R: qt(.975, 4) is 2.776445; the 0.001 grid shows 2.776
cli_expect(EXIT 0 OUTPUT "2.776" ARGS calc TQuantile 4 0.025)
cli_expect(EXIT 0 OUTPUT "0" ARGS calc TQuantile 5 0.6)
# R: qchisq(.025, 1) is 0.000982069; the 1e-6 grid shows 0.000982 (the old sum gave +4.7 %)
cli_expect(EXIT 0 OUTPUT "0.000982" ARGS calc ChiSquareQuantile 1 0.025)
# R: qf(.99, 2, 2) is 99 (the old step cap stopped at 50)
cli_expect(EXIT 0 OUTPUT "99" ARGS calc FQuantile 2 2 0.99)
# R: pt(10000, 1) is 0.999968169011488
cli_expect(EXIT 0 OUTPUT "0.999968169011488" ARGS calc TCdf 1 10000)
cli_expect(EXIT 0 OUTPUT "1.95996" ARGS calc NormalQuantile 0.975)
cli_expect(EXIT 0 OUTPUT "-1E+100" ARGS calc NormalQuantile 0)
# R: round(pnorm(5.7), 10) is the table value at 5.7
cli_expect(EXIT 0 OUTPUT "0.999999994" ARGS calc NormalCdf 5.7)
cli_expect(EXIT 0 OUTPUT "24" ARGS calc GammaHalf 5)
cli_expect(EXIT 0 OUTPUT "0.25" ARGS calc SignedRankProbability 3 5)
# Γ(2000) does not fit the extended range: no number to print
cli_expect(EXIT 1 OUTPUT "fail" ARGS calc GammaHalf 2000)
# degrees of freedom are whole numbers; a missing argument is a usage error
cli_expect(EXIT 2 ARGS calc TQuantile 4.5 0.025)
cli_expect(EXIT 2 ARGS calc FQuantile 3 0.95)
