# tabulon-cli anova and print: the worked example (1,2,3 / 4,5,6 / 7,8,9: MSW 1, MSB 27,
# F 27, Bonferroni at 5/2/3 = 0.8333 % per pair), its JSON keys, the refusals and a
# worksheet printed to PDF.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(EN --lang en --decimal-separator .)
set(dir ${CMAKE_CURRENT_BINARY_DIR}/cli_anova)
file(MAKE_DIRECTORY ${dir})
file(WRITE ${dir}/abc.txt "A\tB\tC\n1\t4\t7\n2\t5\t8\n3\t6\t9\n")

# R: oneway.test(..., var.equal=TRUE): F = 27 on 2 and 6 df; qf(0.95, 2, 6) = 5.143253;
# qt(1 - 0.008333, 6) = 3.287 on the 0.001 grid; u = 3 / sqrt(2/3) = 3.6742
cli_expect(EXIT 0 OUTPUT "ANOVA
Test of columns:
 1: A
 2: B
 3: C
ANOVA \"analysis of variances\" at level 5.00%:

F = 27 > F(0.05 ; 2 ; 6) = 5.143
Significant difference between mean values

Column test on 5.00%-level acording to Bonferroni
Tested columns (x vs y)\tSignificance\tu\tt
1: A versus 2: B\tDifferencs\t3.6742\t3.2870
1: A versus 3: C\tDifferencs\t7.3485\t3.2870
2: B versus 3: C\tDifferencs\t3.6742\t3.2870"
           ARGS ${EN} anova ${dir}/abc.txt --titles --columns 1,2,3 --bonferroni)

# The JSON keys scripts read.
execute_process(COMMAND ${CLI} ${EN} anova ${dir}/abc.txt --titles --columns A,B,C --bonferroni
                        --json RESULT_VARIABLE rc OUTPUT_VARIABLE json)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "anova --json: exit ${rc}")
endif()
foreach(pair "ss_between;54" "ss_within;6" "df_between;2" "df_within;6" "ms_between;27"
             "ms_within;1" "F;27" "significant;ON" "groups;1;mean;5" "groups;2;variance;1"
             "groups;0;n;3" "groups;0;name;1: A" "pairs;2;first;2: B" "pairs;2;second;3: C"
             "pairs;1;significant;ON")
  list(POP_BACK pair want)
  string(JSON got GET "${json}" ${pair})
  if(NOT "${got}" STREQUAL "${want}")
    message(FATAL_ERROR "anova --json ${pair}: ${got}, expected ${want}\n${json}")
  endif()
endforeach()
string(JSON limit GET "${json}" pairs 0 limit)
string(JSON fcrit GET "${json}" F_critical)
# limit = t·sqrt(MSW·(1/3 + 1/3)) = 3.287·0.8165 = 2.6838
if(limit LESS 2.6838 OR limit GREATER 2.6839 OR fcrit LESS 5.143 OR fcrit GREATER 5.144)
  message(FATAL_ERROR "anova --json: limit ${limit}, F_critical ${fcrit}")
endif()

# One column is a usage error; a group with one value is refused in the chosen language.
cli_expect(EXIT 2 ARGS ${EN} anova ${dir}/abc.txt --titles --columns A)
file(WRITE ${dir}/short.txt "1\t4\n2\t\n")
cli_expect(EXIT 1 OUTPUT "" ERROR "One value per column (2: )"
           ARGS ${EN} anova ${dir}/short.txt --columns 1,2)

# The worksheet printed as Arkiv > Skriv ut prints it: one page, the captions in it.
execute_process(COMMAND ${CLI} print ${dir}/abc.txt ${dir}/abc.pdf --titles RESULT_VARIABLE rc)
file(READ ${dir}/abc.pdf head LIMIT 16)
string(FIND "${head}" "%PDF-" at)
if(NOT rc EQUAL 0 OR NOT at EQUAL 0)
  message(FATAL_ERROR "print: exit ${rc}, file starts with [${head}]")
endif()
