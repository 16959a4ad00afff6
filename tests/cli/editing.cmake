# tabulon-cli sort, transpose and remove-empty: the Redigera commands on a file.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
set(out ${CMAKE_CURRENT_BINARY_DIR}/cli_editing_out)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})
set(EN --lang en --decimal-separator .)

# Column 1 holds 3, -, 1, -, 2 (the fourth line is empty throughout), column 2 texts.
file(WRITE ${out}/in.txt "3\tx\t1.5\t\r\n\ty\t2\t\r\n1\tx\t4\t\r\n\t\t\t\r\n2\tz\t8\t\r\n")

# Worked by hand as the program sorts: the row with an empty key (line 2) is swapped with the
# last filled one (line 5); the empty line 4 is passed over; then 3 2 1 is ordered.
cli_expect(EXIT 0 ARGS ${EN} sort ${out}/in.txt ${out}/up.txt --column 1)
expect_file(${out}/up.txt "1\tx\t4\t\r\n2\tz\t8\t\r\n3\tx\t1.5\t\r\n\t\t\t\r\n\ty\t2\t")
cli_expect(EXIT 0 ARGS ${EN} sort ${out}/in.txt ${out}/down.txt --column 1 --descending)
expect_file(${out}/down.txt "3\tx\t1.5\t\r\n2\tz\t8\t\r\n1\tx\t4\t\r\n\t\t\t\r\n\ty\t2\t")

cli_expect(EXIT 0 ARGS ${EN} transpose ${out}/in.txt ${out}/turned.txt)
expect_file(${out}/turned.txt "3\t\t1\t\t2\r\nx\ty\tx\t\tz\r\n1.5\t2\t4\t\t8\r\n\t\t\t\t")

cli_expect(EXIT 0 ARGS ${EN} remove-empty ${out}/in.txt ${out}/both.txt)
expect_file(${out}/both.txt "3\tx\t1.5\r\n\ty\t2\r\n1\tx\t4\r\n2\tz\t8")
cli_expect(EXIT 0 ARGS ${EN} remove-empty ${out}/in.txt ${out}/rows.txt --rows)
expect_file(${out}/rows.txt "3\tx\t1.5\t\r\n\ty\t2\t\r\n1\tx\t4\t\r\n2\tz\t8\t")
cli_expect(EXIT 0 ARGS ${EN} remove-empty ${out}/in.txt ${out}/columns.txt --columns)
expect_file(${out}/columns.txt "3\tx\t1.5\r\n\ty\t2\r\n1\tx\t4\r\n\t\t\r\n2\tz\t8")

# Captions with --titles: the column named by its caption, the captions written back.
file(WRITE ${out}/titled.txt "Vikt\r\n2\r\n1\r\n")
cli_expect(EXIT 0 ARGS ${EN} sort ${out}/titled.txt ${out}/titled_out.txt --column Vikt --titles)
expect_file(${out}/titled_out.txt "\t\t1\r\n\t\tVikt\r\n1\t\t1\r\n2\t\t2\r\n3\t\t")

# Refusals leave OUT unwritten: a text among the sort values (named by its row), an unknown
# column. Usage errors exit 2.
file(WRITE ${out}/bad.txt "1\r\nabc\r\n2\r\n")
cli_expect(EXIT 1 ARGS ${EN} sort ${out}/bad.txt ${out}/never.txt --column 1
           ERROR "'abc' is not a valid number (row 2)")
cli_expect(EXIT 1 ARGS --lang sv sort ${out}/in.txt ${out}/never.txt --column Q
           ERROR "Ingen kolumn heter Q")
if(EXISTS ${out}/never.txt)
  message(FATAL_ERROR "a refused sort wrote its output")
endif()
cli_expect(EXIT 2 ARGS sort ${out}/in.txt ${out}/x.txt)
cli_expect(EXIT 2 ARGS transpose ${out}/in.txt)
cli_expect(EXIT 2 ARGS remove-empty ${out}/in.txt ${out}/x.txt --diagonals)
