# tabulon-cli ttest, ftest, ktest, paired-t, signrank and ranksum: texts and JSON on fixed
# data sets, every statistic checked against R.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(D ${DATA}/two_sample)
set(EN --lang en --decimal-separator .)

# welch.tbn is R's set.seed(3) a (n = 9) and b (n = 14): var.test(b, a) F = 24.36936 >
# qf(0.975, 13, 8) = 4.16217, so Welch; t.test(a, b) t = -1.04167; the n + 1, -2 form gives
# 14.87, truncated to 14; qt(0.975, 14) = 2.144787 on the 0.001 grid.
cli_expect(EXIT 0 OUTPUT "t-test: A versus B  at level 5.0%

Data:
A : n=9: mean=9.787  s=0.773
B : n=14: mean=10.882  s=3.815

Result: 
u = 1.042 < 2.144 = t(14).
No significant difference!
No significant difference between values for A and B "
           ARGS ${EN} ttest ${D}/welch.tbn --columns A,B)

# pooled.tbn is R's set.seed(7) p (n = 12) and q (n = 9): var.test(q, p) F = 1.676987 (8, 11)
# < qf(0.975, 8, 11) = 3.663819: pooled; t.test(p, q, var.equal = TRUE) t = 0.373, df 19,
# qt(0.975, 19) = 2.093024. Never significant down to 40 %: the search stops at once (40.1).
cli_expect(EXIT 0 OUTPUT "{\"first\":{\"name\":\"P\",\"n\":12,\"mean\":51.3708333333333,\"variance\":30.0416628787879,\"s\":5.48102753859054},\"second\":{\"name\":\"Q\",\"n\":9,\"mean\":50.3488888888889,\"variance\":50.3794861111111,\"s\":7.09785080930214},\"level\":5,\"F\":1.67698726646332,\"F_df_num\":8,\"F_df_den\":11,\"F_critical\":3.6635,\"variances_differ\":false,\"test\":\"pooled\",\"pooled_s\":6.21328873233371,\"u\":0.372999269818971,\"df\":19,\"t_critical\":2.093,\"significant\":false,\"lowest_significant_level\":40.1}"
           ARGS ${EN} ttest ${D}/pooled.tbn --columns P,Q --json)

# The F-test from the same columns: qf(0.95, 8, 11) = 2.947990 one-sided (R).
cli_expect(EXIT 0 OUTPUT "F-test: P versus Q
s1=5.48102753859054  n1=12
s2=7.09785080930214  n2=9
F=1.676987 < 3.6635 = F(2.5%, 8,11)
Double sided test: No significant difference
F=1.676987 < 2.9475 = F(5%, 8,11)
Single sided test: No significant difference!"
           ARGS ${EN} ftest ${D}/pooled.tbn --columns P,Q)

# R: t.test(p, mu = 50) t = 0.8663897; qt(0.975, 11) = 2.200985
cli_expect(EXIT 0 OUTPUT "{\"name\":\"P\",\"n\":12,\"mean\":51.3708333333333,\"s\":5.48102753859054,\"constant\":50,\"level\":5,\"u\":0.866389729051756,\"df\":11,\"t_critical\":2.2,\"significant\":false}"
           ARGS ${EN} ktest ${D}/pooled.tbn --column P --constant 50 --json)
# R: t.test(p, mu = 45) t = 4.026474; the caption begins with the column's title
cli_expect(EXIT 0 OUTPUT "P: Test på avvikelse från konstant
Test att väntevärdet (m=51.371) är skilt från 45:
u = 4.0265 > t(11) = 2.2
Skillnaden är signifikant!
Nivå: 5.00%"
           ARGS --lang sv --decimal-separator . ktest ${D}/pooled.tbn --column P --constant 45)

# paired.tbn is R's set.seed(5) x and y: t.test(x, y, paired = TRUE) t = -1.047645, df 9,
# sd(x - y) = 0.9055385; qt(0.975, 9) = 2.262157
cli_expect(EXIT 0 OUTPUT "{\"first\":\"X\",\"second\":\"Y\",\"n\":10,\"mean_difference\":-0.3,\"s_difference\":0.905538513813742,\"level\":5,\"u\":1.04764544365437,\"df\":9,\"t_critical\":2.262,\"significant\":false}"
           ARGS ${EN} paired-t ${D}/paired.tbn --columns X,Y --json)
# The signed-rank test on the same pairs: one unchanged pair, R+ = 13 (R: V = 13), R- = 32,
# 100*psignrank(13, 9) = 15.0390625
cli_expect(EXIT 0 OUTPUT "{\"first\":\"X\",\"second\":\"Y\",\"n\":9,\"unchanged\":1,\"rank_sum_plus\":13,\"rank_sum_minus\":32,\"T\":13,\"p_percent\":15.0390625,\"significant\":false}"
           ARGS ${EN} signrank ${D}/paired.tbn --columns 1,2 --json)

# Differences typed equal are ties: |d| = 0.3, 0.9, 0.9, 2.3, 3.2 with the second 0.9
# negative, ranks 1, 2.5, 2.5, 4, 5 (by hand); R: 100*psignrank(2, 5) = 9.375, significant.
set(out ${CMAKE_CURRENT_BINARY_DIR}/cli_two_sample_out)
file(MAKE_DIRECTORY ${out})
file(WRITE ${out}/lab.txt "434.5\t434.2\n842.6\t841.7\n1092.2\t1093.1\n612.4\t610.1\n1116.0\t1112.8\n")
cli_expect(EXIT 0 OUTPUT "Wilcoxons teckentest
n=5 (förändrade värden).   Icke inkluderade: 0 (oförändrade värden)
Rangsumman=2.5
Skillnader: 1-2 (lab)
Signifikant skillnad vid 9.375% -nivån (enkelsidigt test)"
           ARGS --lang sv --decimal-separator . signrank ${out}/lab.txt --columns 1,2)

# ranks.tbn: 4, 5, 6 against 1, 2, 3; U1 = 9, U2 = 0 with the low group first. A fixed seed
# gives the same p with one thread or two.
cli_expect(EXIT 0 OUTPUT "{\"group1\":\"Lag\",\"group2\":\"Hog\",\"exchanged\":false,\"n1\":3,\"n2\":3,\"R1\":6,\"R2\":15,\"U1\":9,\"U2\":0,\"draws\":100000,\"p_one_sided\":0.0494,\"p_two_sided\":0.0988}"
           ARGS ${EN} ranksum ${D}/ranks.tbn --columns Lag,Hog --seed 3 --draws 100000 --threads 1 --json)
cli_expect(EXIT 0 OUTPUT "{\"group1\":\"Lag\",\"group2\":\"Hog\",\"exchanged\":false,\"n1\":3,\"n2\":3,\"R1\":6,\"R2\":15,\"U1\":9,\"U2\":0,\"draws\":100000,\"p_one_sided\":0.0494,\"p_two_sided\":0.0988}"
           ARGS ${EN} ranksum ${D}/ranks.tbn --columns Lag,Hog --seed 3 --draws 100000 --threads 2 --json)

# Refusals and usage errors.
cli_expect(EXIT 2 ARGS ${EN} ttest ${D}/pooled.tbn --columns P)
cli_expect(EXIT 1 ARGS ${EN} paired-t ${D}/paired.tbn --columns X,Nope)
cli_expect(EXIT 2 ARGS ${EN} ktest ${D}/pooled.tbn --column P)
cli_expect(EXIT 2 ARGS ${EN} ranksum ${D}/ranks.tbn --columns Lag,Hog --draws many)
# A comma world cannot read the file's points: the cell is named.
cli_expect(EXIT 1 OUTPUT "" ARGS --lang en --decimal-separator , ttest ${D}/pooled.tbn --columns P,Q)
