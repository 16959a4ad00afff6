# tabulon-cli mlr, pcr, pls and apply-model: the window's text, JSON, the refusals, a saved
# model applied to another sheet.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(D ${DATA}/models)
set(out ${CMAKE_CURRENT_BINARY_DIR}/cli_models_out)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})
set(SV --lang sv --decimal-separator .)

# small.txt: z on x1, x2 (x3 unused). R: coef(lm(z ~ x1 + x2)) = 433/1110, 23/37, 771/740,
# F = 653.572 (exact in fractions 653.57206962197444), RMS = sqrt(0.16563063/6) = 0.16615.
cli_expect(EXIT 0 ARGS ${SV} mlr ${D}/small.txt --titles --z z --x x1,x2
           OUTPUT "File name = ${D}/small.txt\nMLR: Multipel Linear Regression\nAntal variabler = 2\nAntal datapunkter = 6\n\nLinjärt samband:\n4:z =\n0.39009\n+0.621622*1:x1\n+1.04189*2:x2\n\nF = 654\n\nRMS = 0.16615")
expect_match("^{\"method\":\"MLR\",.*\"n\":6,\"p\":2,\"factors\":2,\"intercept\":0.39009009009009,\"coefficients\":\\[0.621621621621622,1.04189189189189\\],\"rms\":0.16614784110877,.*\"r2\":0.997710175613401,\"F\":653.572069621974,.*\"predictions\":\\[3.0954954954955,.*\"residuals\":\\[-0.0045045045045045,"
             ${SV} mlr ${D}/small.txt --titles --z 4 --x 1,2 --json)
# The caption keeps the count as entered; 0 factors is limited to 1. R, the NIPALS loop on
# scale()d data: one PLS factor gives b0 = 3.04015109828466 and sqrt(mean(e^2)) = 0.9541670.
cli_expect(EXIT 0 ARGS ${SV} pls ${D}/small.txt --titles --z z --x x1,x2,x3 --factors 0
           OUTPUT "File name = ${D}/small.txt\nPLS: Partial Least Squares: 0 faktorer\nAntal variabler = 3\nAntal datapunkter = 6\n\nLinjärt samband:\n4:z =\n3.04015\n+0.824803*1:x1\n+0.616701*2:x2\n-0.586035*3:x3\n\nRMS = 0.95417")
# Without --factors every factor is used: PCR with all three is MLR (43/90, 107/180, 19/18, -1/60).
expect_match("^{\"method\":\"PCR\",\"caption\":\"PCR: Principal-component-regression: 3 factors\",\"n\":6,\"p\":3,\"factors\":3,\"intercept\":0.477777777777778,\"coefficients\":\\[0.594444444444444,1.05555555555556,-0.0166666666666667\\]"
             --lang en --decimal-separator . pcr ${D}/small.txt --titles --z z --x x1,x2,x3 --json)

# Refusals: exit 1 with the reason; usage errors exit 2.
# The coefficients follow the order of --x (x3 named by its number).
expect_match("\"intercept\":0.477777777777778,\"coefficients\":\\[0.594444444444444,-0.0166666666666667,1.05555555555556\\]"
             ${SV} mlr ${D}/small.txt --titles --z z --x x1,3,x2 --json)
file(WRITE ${out}/twin.csv "a,b,z\n1,1,2\n2,2,3\n3,3,5\n4,4,4\n")
cli_expect(EXIT 1 OUTPUT "" ERROR "Operationen går ej att utföra. Determinanten är noll"
           ARGS ${SV} mlr ${out}/twin.csv --titles --z z --x a,b)
cli_expect(EXIT 1 OUTPUT "" ERROR "x-variabeln 1:x1 är vald två gånger"
           ARGS ${SV} pls ${D}/small.txt --titles --z z --x x1,1)
cli_expect(EXIT 2 ARGS ${SV} mlr ${D}/small.txt --titles --z z --x x1 --factors 2)
cli_expect(EXIT 2 ARGS ${SV} pcr ${D}/small.txt --titles --z z --x x1 --factors two)
cli_expect(EXIT 2 ARGS ${SV} pcr ${D}/small.txt --titles --x x1)

# 129 columns: 128 x-variables are refused before anything is read from them; 2 rows are
# too few for 2 x-variables.
set(header "c0")
set(row "1")
set(xs "2")
foreach(i RANGE 1 128)
  string(APPEND header ",c${i}")
  string(APPEND row ",${i}")
  if(i GREATER 1)
    string(APPEND xs ",${i}")
  endif()
endforeach()
file(WRITE ${out}/wide.csv "${header}\n${row}\n${row}\n")
cli_expect(EXIT 1 OUTPUT "" ERROR "Högst 127 x-variabler kan väljas"
           ARGS ${SV} pls ${out}/wide.csv --titles --z 1 --x ${xs},129)
cli_expect(EXIT 1 OUTPUT "" ERROR "För få datapunkter.."
           ARGS ${SV} mlr ${out}/wide.csv --titles --z 1 --x 2,3)

# A saved model applied to a sheet whose captions differ in case: the predictions go to a new
# column, the all-empty row stays empty. Worked in fractions: 11.430631, 5.800901, 4.229279.
cli_expect(EXIT 0 OUTPUT "" ARGS ${SV} mlr ${D}/small.txt --titles --z z --x x1,x2
           --save-model ${out}/small.mdl --json)
# file(READ) drops the carriage returns; the bytes show the 12 CR LF line ends.
file(READ ${out}/small.mdl model)
string(REPLACE "\n" "|" model "${model}")
file(READ ${out}/small.mdl bytes HEX)
string(REGEX MATCHALL "0d0a" ends "${bytes}")
list(LENGTH ends count)
if(NOT model STREQUAL "|MLR|false|true|2|4:z| 3.9009009009009009E-01| 6.2162162162162162E-01| 1.0418918918918919E+00|1:x1|2:x2||"
   OR NOT count EQUAL 12)
  message(FATAL_ERROR "small.mdl (${count} CR LF): [${model}]")
endif()
cli_expect(EXIT 0 ARGS ${SV} apply-model ${D}/apply.csv ${out}/small.mdl ${out}/applied.csv --titles
           OUTPUT "Korrelationer\nKolumn namn\tVariabelnamn\nX1\tx1\nx2\tx2\nResultatet läggs i kolumn 3")
file(READ ${out}/applied.csv applied)
if(NOT applied MATCHES "Col 3\n[^\n]*,11.4306\n[^\n]*,5.8009\n[^\n]*,\n[^\n]*,4.22928\n")
  message(FATAL_ERROR "applied.csv: [${applied}]")
endif()
# A cell that is not a number: named, and nothing written.
cli_expect(EXIT 1 ERROR "'abc' is not a valid number (row 2, column 2)"
           ARGS --lang en --decimal-separator . apply-model ${D}/apply_bad.csv ${out}/small.mdl
           ${out}/bad.csv --titles)
if(EXISTS ${out}/bad.csv)
  message(FATAL_ERROR "apply-model wrote bad.csv after a refusal")
endif()
file(WRITE ${out}/broken.mdl "t\r\nMLR\r\nfalse\r\ntrue\r\n99999\r\n")
cli_expect(EXIT 1 OUTPUT "" ERROR "The model file ${out}/broken.mdl cannot be read: line 5: '99999' is not a number of x-variables from 1 to 127"
           ARGS --lang en apply-model ${D}/apply.csv ${out}/broken.mdl ${out}/bad.csv --titles)
