# --titles on every procedure command and info: a .txt or .csv file whose first line holds the
# column captions, read with and without it.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(D ${DATA}/titles)
set(out ${CMAKE_CURRENT_BINARY_DIR}/cli_titles_out)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})
set(SV --lang sv --decimal-separator .)

# header.csv and header.txt hold the same two columns under the captions Vikt and Langd
# (header.txt has a column of sample names first): Vikt 2 4 4 5 7 8, Langd 3 5 6 6 8 8.
# Worked by hand: means 5 and 6, differences Vikt - Langd -1 -1 -2 -1 -1 0 (mean -1, one
# unchanged, |d| ranks 2.5 2.5 5 2.5 2.5 so R+ = 0, R- = 15), pooled ranks of Vikt 1 3.5 3.5
# 5.5 9 11 = 33.5 and of Langd 44.5. @A@ and @B@ stand for the columns, @N@ for Vikt's number.
set(commands stats normplot ttest ftest ktest paired-t signrank ranksum)
set(stats_args --column @A@ --json)
set(stats_want "^{\"caption\":\"Vikt\",\"n\":6,\"mean\":5,")
set(normplot_args --column @A@ --json)
set(normplot_want "^{\"caption\":\"@N@: Vikt\",\"n\":6,")
set(ttest_args --columns @A@,@B@ --json)
set(ttest_want "^{\"first\":{\"name\":\"Vikt\",\"n\":6,\"mean\":5,.*\"second\":{\"name\":\"Langd\",\"n\":6,\"mean\":6,")
set(ftest_args ${ttest_args})
set(ftest_want ${ttest_want})
set(ktest_args --column @A@ --constant 5 --json)
set(ktest_want "^{\"name\":\"Vikt\",\"n\":6,\"mean\":5,.*\"u\":0,")
set(paired-t_args --columns @A@,@B@ --json)
set(paired-t_want "^{\"first\":\"Vikt\",\"second\":\"Langd\",\"n\":6,\"mean_difference\":-1,")
set(signrank_args ${paired-t_args})
set(signrank_want "^{\"first\":\"Vikt\",\"second\":\"Langd\",\"n\":5,\"unchanged\":1,\"rank_sum_plus\":0,\"rank_sum_minus\":15,")
set(ranksum_args --columns @A@,@B@ --seed 1 --draws 1000 --threads 1 --json)
set(ranksum_want "\"n1\":6,\"n2\":6,\"R1\":33.5,\"R2\":44.5,")

# With --titles the captions name the columns and the first line is no value; without it the
# command refuses at the first caption, naming where it is (Vikt is column 2 in header.txt).
foreach(kind csv txt)
  if(kind STREQUAL csv)
    set(numbers 1 2)
  else()
    set(numbers 2 3)
  endif()
  list(GET numbers 0 vikt)
  list(GET numbers 1 langd)
  foreach(command IN LISTS commands)
    string(REPLACE "@A@" Vikt titled "${${command}_args}")
    string(REPLACE "@B@" Langd titled "${titled}")
    string(REPLACE "@N@" ${vikt} want "${${command}_want}")
    expect_match("${want}" ${SV} ${command} ${D}/header.${kind} ${titled} --titles)
    string(REPLACE "@A@" ${vikt} plain "${${command}_args}")
    string(REPLACE "@B@" ${langd} plain "${plain}")
    cli_expect(EXIT 1 OUTPUT "" ARGS ${SV} ${command} ${D}/header.${kind} ${plain}
               ERROR "'Vikt' är inte ett giltigt tal (rad 1, kolumn ${vikt}); är första raden en rubrikrad? Använd --titles.")
  endforeach()
endforeach()

# English; a caption named without --titles is found on the first line and gets the same hint.
cli_expect(EXIT 1 ARGS --lang en --decimal-separator . stats ${D}/header.csv --column 1
           ERROR "'Vikt' is not a valid number (row 1, column 1); is the first line a header? Use --titles.")
cli_expect(EXIT 1 ARGS ${SV} ttest ${D}/header.txt --columns Langd,Vikt
           ERROR "'Langd' är inte ett giltigt tal (rad 1, kolumn 3); är första raden en rubrikrad? Använd --titles.")
# Only the columns read count: the names in labels.txt's column 1 are no header.
# (2 + 4 + 4) / 3 by hand.
expect_match("^{\"caption\":\"2\",\"n\":3,\"mean\":3.33333333333333," ${SV} stats ${D}/labels.txt
             --column 2 --json)

# A .tbn file carries its captions: --titles changes nothing, and a text cell in the first row
# is the procedure's own refusal, without the hint.
cli_expect(EXIT 0 ARGS convert ${D}/header.csv ${out}/plain.tbn)
cli_expect(EXIT 0 ARGS convert ${D}/header.csv ${out}/titled.tbn --column-captions)
expect_match("${stats_want}" ${SV} stats ${out}/titled.tbn --column Vikt --json --titles)
cli_expect(EXIT 1 ARGS ${SV} stats ${out}/plain.tbn --column 1 --titles
           ERROR "'Vikt' är inte ett giltigt tal")

# info: the captions with --titles, else the first line counted as cells.
cli_expect(EXIT 0 ARGS ${SV} info ${D}/header.csv --titles
           OUTPUT "Rutnät: 4 kolumner, 8 rader\n1\tVikt\t6\n2\tLangd\t6")
cli_expect(EXIT 0 ARGS ${SV} info ${D}/header.csv
           OUTPUT "Rutnät: 4 kolumner, 9 rader\n1\t\t7\n2\t\t7")

# Usage errors.
cli_expect(EXIT 2 ARGS info --titles)
cli_expect(EXIT 2 ARGS ${SV} stats ${D}/header.csv --titles=yes)
