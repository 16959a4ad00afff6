# tabulon-cli probability, table and interval: the calculator windows' lines, their refusals
# and JSON, each value checked against R.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(EN --lang en --decimal-separator .)

# R: pnorm(1.96) - pnorm(-1.96) = 0.9500042
cli_expect(EXIT 0 OUTPUT "Probability = 0.95"
           ARGS ${EN} probability normal --mean 0 --sd 1 --from -1.96 --to 1.96)
cli_expect(EXIT 1 OUTPUT "" ERROR "Gränser för x måste fyllas i"
           ARGS --lang sv probability normal --mean 0 --sd 1)
# (9.524 - 5)/2 = 2.262 with 9 df: R: pt(2.262, 9) = 0.97499358; TCdf's trapezoid is within
# 1e-8 of it
cli_expect(EXIT 0 OUTPUT "{\"n\":10,\"mean\":5,\"sd\":2,\"to\":9.524,\"P\":0.974993576969524}"
           ARGS ${EN} probability t --n 10 --mean 5 --sd 2 --to 9.524 --json)

# R: qnorm(0.95) = 1.644854, qnorm(0.975) = 1.959964; pnorm(1.96) = 0.9750021
cli_expect(EXIT 0 OUTPUT "λα = 1.64485\nλα/2 = 1.95996" ARGS ${EN} table normal --alpha 0.05)
cli_expect(EXIT 0 OUTPUT "Φ(1,96) = 0,975002"
           ARGS --lang sv --decimal-separator , table normal --z 1.96)
# R: qt(0.95, 10) = 1.812461, qt(0.975, 10) = 2.228139, on the 0.001 grid
cli_expect(EXIT 0 OUTPUT "tα = 1.81200\ntα/2 = 2.22800" ARGS ${EN} table t --df 10 --alpha 0.05)
# α = 0.95 is the table's 0.05: R: qchisq(0.025, 10) = 3.246973, qchisq(0.975, 10) = 20.48318
cli_expect(EXIT 0 OUTPUT "{\"df\":10,\"alpha\":0.05,\"chi2_alpha_half\":3.246,\"chi2_one_minus_alpha_half\":20.48}"
           ARGS ${EN} table chi2 --df 10 --alpha 0.95 --json)
# R: qf(0.95, 10, 10) = 2.978237 on its grid
cli_expect(EXIT 0 OUTPUT "Fα(10,10) = 2.97800" ARGS ${EN} table f --df1 10 --df2 10 --alpha 0.05)
# R: 100 * psignrank(60, 20) = 4.865360
cli_expect(EXIT 0 OUTPUT "Significant difference at 4.865%  level (one-tailed test)\nn=20"
           ARGS ${EN} table signed-rank --n 20 --rank-sum 60)
cli_expect(EXIT 1 OUTPUT "" ERROR "Error in data" ARGS ${EN} table signed-rank --n 50 --rank-sum 60)

# 75 stands: R: qnorm(0.875) = 1.150349 (the fast search's 1.1503491)
cli_expect(EXIT 0 OUTPUT "Confidence level (%) = 75\nConfidence interval: 0±1.1503491"
           ARGS ${EN} interval normal --mean 0 --sd 1 --level 75)
# L = 100 becomes 99.99: R: qt(0.99995, 9) = 6.593683 (6.593 on the grid); 6.593/sqrt(10);
# sqrt(9/qchisq(0.99995, 9)) = 0.5040, sqrt(9/qchisq(0.00005, 9)) = 4.0038 on the grids
cli_expect(EXIT 0 OUTPUT "Confidence level (%) = 99.99\nVariable: 10±6.593\nTrue mean: 10±2.0849\nσ: 0.504 to 4.0039"
           ARGS ${EN} interval t --mean 10 --sd 1 --n 10 --level 100)

# Usage errors: an unknown kind, a missing option, a graph from a window without one.
cli_expect(EXIT 2 ARGS ${EN} table gamma --df 3)
cli_expect(EXIT 2 ARGS ${EN} table t --df 10)
cli_expect(EXIT 2 ARGS ${EN} interval normal --mean 0 --sd 1 --level 95 --graph x.svg)
