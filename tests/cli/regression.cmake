# tabulon-cli regression: the calibration line's texts, its numbers as JSON, the refusals.
# worked.csv: Konc 1..5 against Abs 2.1, 3.9, 6.2, 7.8, 10.1 (R: lm gives k = 1.99,
# l = 0.05, sigma = 0.188856206322871), Fall the same y reversed, Lika all x equal.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(F ${DATA}/regression/worked.csv --titles)
set(SV --lang sv --decimal-separator .)
set(EN --lang en --decimal-separator .)

# R: Std. Errors 0.198074 and 0.0597216 times t = 3.182 (qt(0.975, 3) = 3.182446 on the 0.001
# grid); F = 1110.3 > qf(0.95, 1, 3) = 10.128; LOD 3*sigma/k = 0.28471, the risk at x = 0
# pt(2.0702, 3, lower.tail = FALSE) = 0.0651 (6.5059 % on the search's grid); predict at 2.5:
# se.fit 0.0895824 and 0.209026 for a new point; x for y = 5 from three readings: 2.48744 with
# sigma/k*sqrt(1/3 + 1/5 + (5 - 6.02)^2/(k^2*10)) = 0.0709936.
cli_expect(EXIT 0 OUTPUT "Abs mot Konc
Linjen y=kx+l
a0=0.05±0.6303  a1=1.99±0.19
r²=0.9973    n = 5    Sy=0.1889   RMS=0.1463
Konfidensintervall: 95.00%

Signifikanser
På 5%-nivån gäller följande:
Med 5% sannolikhet att göra ett felaktigt uttalande så finns det ett signifikant samband mellan variablerna.

Test av regression vid 5%:
k = 1.99 ± 0.19

F-test vid 5%:
F = 1110> F(1,3) = 10.13

Detektionsgräns vid 3*s
LOD(x)=0.28471
sy =0.18886
Kritisk nivå för y=0.61657  dvs y-värde som ger LOD
Risk för fel av första ordningen (vid x=0) = 6.50590%
Dvs risk att överskrida LOD vid x=0

Konfidensintervall för k och l
Linjen y=kx+l
95.0000% konfidensnivå

k=1.99000±0.19003
l=0.05000±0.63027

Beräkna y
x=2.50000
y linje=5.02500±0.28505
y punkt=5.02500±0.66512

Beräkna x
y=5.00000
Antal y=3
x punkt=2.48740±0.22590"
           ARGS ${SV} regression ${F} --x Konc --y Abs --report significance,lod,kl
                --y-from-x 2.5 --x-from-y 5 --replicates 3)

# The same as JSON: the half-widths are 3.182 times R's standard errors above.
cli_expect(EXIT 0 OUTPUT "{\"fit\":\"Line y=kx+l\",\"x_title\":\"Konc\",\"y_title\":\"Abs\",\"equation\":\"a0=0.05±0.6303  a1=1.99±0.19\",\"status\":\"r²=0.9973    n = 5    Sy=0.1889   RMS=0.1463\",\"n\":5,\"slope\":1.99,\"intercept\":0.05,\"slope_half_width\":0.190034055544438,\"intercept_half_width\":0.630271659630459,\"r2\":0.997305328900977,\"s\":0.188856206322871,\"s2\":0.0356666666666667,\"rms\":0.146287388383278,\"t_factor\":3.182,\"df\":3,\"level\":95,\"sxx\":10,\"syy\":39.708,\"sxy\":19.9,\"x_mean\":3,\"y_mean\":6.02,\"ss_res\":0.107,\"ss_cor\":39.708,\"ss_fac\":39.601,\"F\":1110.30841121495,\"sum_x\":15,\"sum_y\":30.1,\"sum_x2\":55,\"sum_y2\":220.91,\"sum_xy\":110.2,\"lod_x\":0.284707848727946,\"lod_y\":0.616568618968612,\"alpha\":6.5059,\"loq_x\":0.949026162426485,\"y_from_x\":{\"x\":2.5,\"y\":5.025,\"line_half_width\":0.285051083316657,\"point_half_width\":0.665119194405534},\"x_from_y\":{\"y\":5,\"replicates\":3,\"x\":2.48743718592965,\"half_width\":0.225901600353773},\"reports\":{\"lod\":[\"LOD(x)=0.28471\",\"sy =0.18886\",\"Critical level for y=0.61657  i.g. y-value that gives LOD\",\"Risk of Error of the first kind (at x=0) = 6.50590%\",\"I.e. risk of exceeding LOD at x=0\"]}}"
           ARGS ${EN} regression ${F} --x 1 --y 2 --report lod --y-from-x 2.5 --x-from-y 5
                --replicates 3 --json)

# Fixed slope 2: l = (30.1 - 2*15)/5 = 0.02 (worked by hand); a falling line has no LOD.
cli_expect(EXIT 0 OUTPUT "Abs versus Konc
Line y=kx+l, fixed slope k=2
a0=0.02±0.27  a1=2 (fixed)
r²=0.9973    n = 5    Sy=0.1897   RMS=0.147
Confidence inteval: 95.00%"
           ARGS ${EN} regression ${F} --x Konc --y Abs --fit fixed-slope=2)
cli_expect(EXIT 0 OUTPUT "Fall versus Konc
Line y=kx+l
a0=11.99±0.6303  a1=-1.99±0.19
r²=0.9973    n = 5    Sy=0.1889   RMS=0.1463
Confidence inteval: 95.00%

Detection limit at 3*s
Error! (<=0)"
           ARGS ${EN} regression ${F} --x Konc --y Fall --report lod)

# The row numbers as x are 1..5 again; two points leave no spread.
cli_expect(EXIT 0 OUTPUT "Abs mot Radnummer
Linjen y=kx+l
a0=0.05±0.6303  a1=1.99±0.19
r²=0.9973    n = 5    Sy=0.1889   RMS=0.1463
Konfidensintervall: 95.00%"
           ARGS ${SV} regression ${F} --x row --y Abs)
cli_expect(EXIT 0 OUTPUT "y versus x
Line y=kx+l
a0=-1±0  a1=2±0
r²=1    n = 2    Sy=0   RMS=0
Confidence inteval: 95.00%

Significance
Only two data points"
           ARGS ${EN} regression ${DATA}/regression/two.csv --titles --x x --y y
                --report significance)

# Refusals (1) and usage errors (2); the graph is written through the window's drawing.
cli_expect(EXIT 1 OUTPUT "" ARGS ${SV} regression ${F} --x Lika --y Abs)
cli_expect(EXIT 1 OUTPUT "" ARGS ${SV} regression ${F} --x Vikt --y Abs)
cli_expect(EXIT 1 OUTPUT "" ARGS ${SV} regression ${F} --x Konc --y Abs --fit origin --report lod)
cli_expect(EXIT 2 OUTPUT "" ARGS ${SV} regression ${F} --x Konc)
cli_expect(EXIT 2 OUTPUT "" ARGS ${SV} regression ${F} --x Konc --y Abs --fit cubic)
# A tabulon-cli built without Qt says it cannot write graphs, and is not asked to.
execute_process(COMMAND ${CLI} ${SV} regression ${F} --x Konc --y Abs
                        --graph ${CMAKE_CURRENT_BINARY_DIR}/regression.svg
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT err MATCHES "without Qt" AND NOT rc EQUAL 0)
  message(FATAL_ERROR "regression --graph: exit ${rc}\n${err}")
endif()

# Curve fits. y = 2e^(0.5x) for x = 0..4 is met exactly; worked.csv is straight (R:
# summary(lm(Abs ~ Konc + I(Konc^2))) gives a2 = 0.15/7 with t = 0.3575 on 2 df), y = x² + 0.1
# noise is curved far beyond the 0.1 % level.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/exp.txt
     "x\ty\r\n0\t2\r\n1\t3.29744254140026\r\n2\t5.43656365691809\r\n3\t8.96337814067282\r\n4\t14.7781121978613\r\n")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/curved.txt
     "x\ty\r\n1\t1\r\n2\t4.1\r\n3\t9\r\n4\t15.9\r\n5\t25.2\r\n6\t35.9\r\n")
expect_match("y=ae\\^\\(bx\\)\na=2  b=0.5\nr²=1    n = 5" ${EN} regression
             ${CMAKE_CURRENT_BINARY_DIR}/exp.txt --titles --x x --y y --fit exp)
foreach(case "${DATA}/regression/worked.csv;Konc;Abs;OFF;0.3575;3"
             "${CMAKE_CURRENT_BINARY_DIR}/curved.txt;x;y;ON;41.168;3")
  list(GET case 0 file)
  list(GET case 1 x)
  list(GET case 2 y)
  list(GET case 3 significant)
  list(GET case 4 t)
  list(GET case 5 coefficients)
  execute_process(COMMAND ${CLI} ${EN} regression ${file} --titles --x ${x} --y ${y}
                  --fit curvature --json RESULT_VARIABLE rc OUTPUT_VARIABLE json)
  string(JSON got_significant GET "${json}" curvature significant)
  string(JSON got_t GET "${json}" curvature t)
  string(JSON got_coefficients LENGTH "${json}" coefficients)
  string(JSON got_r2 GET "${json}" r2)
  string(JSON got_s GET "${json}" s)
  if(NOT rc EQUAL 0 OR NOT got_significant STREQUAL significant OR
     NOT got_t MATCHES "^${t}" OR NOT got_coefficients EQUAL coefficients OR
     NOT got_r2 MATCHES "^0\\.99" OR NOT got_s MATCHES "^0\\.[12]")
    message(FATAL_ERROR "curvature on ${file}: ${json}")
  endif()
endforeach()
# Standard addition: y = 2x + 4 meets the axis at -2, the sample holds 2; y = 2x - 4 refuses.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/addition.txt "x\ty\r\n0\t4\r\n1\t6\r\n2\t8\r\n3\t10\r\n")
expect_match("Standard addition\n95.000% confidence level\n\nx=2.00000±0.00000" ${EN} regression
             ${CMAKE_CURRENT_BINARY_DIR}/addition.txt --titles --x x --y y --fit standard-addition)
# A cubic needs more than three points.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/three.txt "x\ty\r\n0\t4\r\n1\t6\r\n2\t9\r\n")
cli_expect(EXIT 1 ARGS ${EN} regression ${CMAKE_CURRENT_BINARY_DIR}/three.txt --titles --x x
           --y y --fit poly=3 ERROR "Too few data points")
