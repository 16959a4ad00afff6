# cmake --install into a fresh prefix: every file of the desktop installation is there and
# nothing else, and the installed programs run from it.
# Run with -DBUILD=<build tree> -DWORK=<scratch folder> -DVERSION=<project version> -DDATA=<tests/data>.
include(${CMAKE_CURRENT_LIST_DIR}/package_checks.cmake)

file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
run(OUT log COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
check_installed_tree(${prefix} ${VERSION})

# Nothing besides: no build leftovers, no headers or libraries of the build.
expected_files(files)
file(GLOB_RECURSE installed RELATIVE ${prefix} LIST_DIRECTORIES false ${prefix}/*)
foreach(f IN LISTS installed)
  if(NOT f IN_LIST files AND NOT f MATCHES "^share/tabulon/guide/[a-z]+-[a-z]+\\.png$")
    fail("installed but not part of the installation: ${f}")
  endif()
endforeach()

# The installed programs must not look for libraries in the build tree.
find_program(readelf readelf)
if(readelf)
  foreach(program tabulon tabulon-cli)
    run(OUT dynamic COMMAND ${readelf} -d ${prefix}/bin/${program})
    if(dynamic MATCHES "R(UN)?PATH")
      fail("${program} keeps a library path after install:\n${dynamic}")
    endif()
  endforeach()
endif()
list(LENGTH installed n)
message(STATUS "installed ${n} files into ${prefix}")
