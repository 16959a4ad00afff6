# The Debian package, made by CPack from the build tree as tools/package makes it: its file
# list (printed), its control fields and its unpacked tree.
# Run with -DBUILD=<build tree> -DWORK=<scratch folder> -DVERSION=<project version> -DDATA=<tests/data>.
include(${CMAKE_CURRENT_LIST_DIR}/package_checks.cmake)

get_filename_component(cmake_bin ${CMAKE_COMMAND} DIRECTORY)
find_program(cpack cpack HINTS ${cmake_bin} REQUIRED)
find_program(dpkg_deb dpkg-deb REQUIRED)
find_program(dpkg dpkg REQUIRED)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# CPack packages what the build made; with Ninja it builds nothing itself, so this costs
# seconds after the normal build.
run(OUT log COMMAND ${cpack} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK})
run(OUT arch COMMAND ${dpkg} --print-architecture)
string(STRIP "${arch}" arch)
set(deb ${WORK}/tabulon_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
  file(GLOB made ${WORK}/*.deb)
  fail("cpack made no ${deb} (made: ${made})\n${log}")
endif()

run(OUT contents COMMAND ${dpkg_deb} -c ${deb})
message(STATUS "Contents of ${deb}:\n${contents}")
run(OUT control COMMAND ${dpkg_deb} -f ${deb})
message(STATUS "Control fields:\n${control}")

# The package installs under /usr, nowhere else.
string(REGEX MATCHALL "\\./[^ \n]*[^/\n]\n" paths "${contents}")
foreach(p IN LISTS paths)
  string(STRIP "${p}" p)
  if(NOT p MATCHES "^\\./usr/")
    fail("the package installs outside /usr: ${p}")
  endif()
endforeach()
expected_files(files)
foreach(f IN LISTS files)
  if(NOT contents MATCHES " \\./usr/${f}\n")
    fail("the package lacks /usr/${f}")
  endif()
endforeach()

function(field name out)
  if(NOT control MATCHES "(^|\n)${name}: ([^\n]*)")
    fail("the package has no ${name} field")
  endif()
  set(${out} "${CMAKE_MATCH_2}" PARENT_SCOPE)
endfunction()
field(Package package)
field(Version version)
field(Architecture architecture)
field(Depends depends)
field(Section section)
if(NOT package STREQUAL "tabulon" OR NOT version STREQUAL "${VERSION}"
   OR NOT architecture STREQUAL "${arch}" OR NOT section STREQUAL "science")
  fail("control fields: ${package} ${version} ${architecture} ${section}")
endif()
# dpkg shows the first line as the synopsis and the indented rest as the long text; a stray
# list separator or the synopsis again means the description was put together wrongly.
if(NOT control MATCHES "\nDescription: ([^\n]+)\n(( [^\n]+\n)+)")
  fail("the package has no synopsis with a long description")
endif()
set(synopsis "${CMAKE_MATCH_1}")
set(long "${CMAKE_MATCH_2}")
if(long MATCHES "(^|\n) [ ;]" OR long MATCHES "(^|\n) ${synopsis}\n")
  fail("the long description is malformed:\n${long}")
endif()
# The libraries come from dpkg-shlibdeps, with the versions the build linked against.
foreach(library libc6 libstdc\\+\\+6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6
                libqt6printsupport6)
  if(NOT depends MATCHES "(^|, )${library} \\(>= [^)]+\\)")
    fail("Depends lacks a versioned ${library}: ${depends}")
  endif()
endforeach()

# Unpacked, the tree is the same as an install and its programs run from it; the binaries
# are stripped, as Debian ships them.
run(COMMAND ${dpkg_deb} -x ${deb} ${WORK}/root)
check_installed_tree(${WORK}/root/usr ${VERSION})
find_program(readelf readelf)
if(readelf)
  foreach(program tabulon tabulon-cli)
    run(OUT sections COMMAND ${readelf} -S ${WORK}/root/usr/bin/${program})
    if(sections MATCHES "\\.debug_info|\\.symtab")
      fail("${program} in the package is not stripped")
    endif()
  endforeach()
endif()
