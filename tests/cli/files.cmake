# tabulon-cli info and convert: worksheet files read, reported and written by extension.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(sample ${DATA}/worksheet/sample.tbn)
set(out ${CMAKE_CURRENT_BINARY_DIR}/cli_files_out)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})

# Two data columns; column 3 has only a caption and is not one. Counts by hand from the file.
cli_expect(EXIT 0 ARGS --lang sv info ${sample}
           OUTPUT "Rutnät: 5 kolumner, 5 rader\n1\tVikt (µg/m³) – prov 5\t2\n2\tpH\t3")
cli_expect(EXIT 0 ARGS --lang en info ${sample}
           OUTPUT "Grid: 5 columns, 5 rows\n1\tVikt (µg/m³) – prov 5\t2\n2\tpH\t3")

# Values only unless --titles; tabs between cells, CR LF between lines, none at the end.
cli_expect(EXIT 0 ARGS convert ${sample} ${out}/values.txt)
expect_file(${out}/values.txt "1.5\t7\t\r\n\t7.25\t\r\n2\t6.5\t")
cli_expect(EXIT 0 ARGS convert ${sample} ${out}/titles.txt --titles)
file(READ ${out}/titles.txt got HEX)
# "\t\t1\t2\t3\r\n\t\tVikt (" and then µ as the Windows-1252 byte B5
if(NOT got MATCHES "^090931093209330d0a090956696b742028b567")
  message(FATAL_ERROR "titles.txt: ${got}")
endif()

# Round trip through .csv and back to .tbn keeps the values.
cli_expect(EXIT 0 ARGS --decimal-separator , convert ${sample} ${out}/sheet.csv --titles)
file(READ ${out}/sheet.csv got HEX)
string(HEX "\r\nA;1.5;7;\r\n;;7.25;\r\n;2;6.5;\r\n" want)  # ";", texts verbatim
string(FIND "${got}" "${want}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "sheet.csv: ${got}")
endif()
cli_expect(EXIT 0 ARGS --decimal-separator , convert ${out}/sheet.csv ${out}/back
           --column-captions --row-captions)
cli_expect(EXIT 0 ARGS --lang en info ${out}/back.tbn
           OUTPUT "Grid: 5 columns, 5 rows\n1\tVikt (µg/m³) – prov 5\t2\n2\tpH\t3")

# Refusals: exit 1 with the message on stderr; usage errors: exit 2.
file(WRITE ${out}/bad.tbn "TABULON FILE TYPE 2.0\r\n")
execute_process(COMMAND ${CLI} --lang sv info ${out}/bad.tbn RESULT_VARIABLE rc
                ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT rc EQUAL 1 OR NOT err STREQUAL "Error in file format...\n")
  message(FATAL_ERROR "bad.tbn: exit ${rc}, [${err}]")
endif()
execute_process(COMMAND ${CLI} --lang sv convert ${out}/missing.tbn ${out}/x.tbn
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^Kunde inte läsa filen .*missing.tbn: ")
  message(FATAL_ERROR "missing.tbn: exit ${rc}, [${err}]")
endif()
cli_expect(EXIT 1 ARGS convert ${sample} ${out}/no/such/folder/x.tbn)
cli_expect(EXIT 1 ARGS info ${out}/sheet.xls)
cli_expect(EXIT 2 ARGS info)
cli_expect(EXIT 2 ARGS info a.tbn b.tbn)
cli_expect(EXIT 2 ARGS convert ${sample})
cli_expect(EXIT 2 ARGS convert ${sample} ${out}/y.tbn --frobnicate)
