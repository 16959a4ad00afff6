# tabulon-cli: usage errors exit with 2, unknown calc functions too.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_expect.cmake)
cli_expect(EXIT 2 ARGS)
cli_expect(EXIT 2 ARGS --lang de calc TQuantile 4 0.025)
cli_expect(EXIT 2 ARGS frobnicate)
cli_expect(EXIT 2 ARGS calc NoSuchFunction 1)
