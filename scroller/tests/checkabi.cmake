# Compares the built library's binary interface with the committed baseline
# (libabigail's abidiff) and fails on an incompatible change: a symbol gone,
# a changed signature, layout or virtual table. A compatible change (an
# addition) passes with its report; the baseline is then updated on purpose
# with the update_abi_baseline target.
#   cmake -DBASELINE=<file.abi> -DLIBRARY=<libtovrell.so> -DHEADERS="<dir>;<dir>" -P checkabi.cmake
set(header_options)
foreach(dir IN LISTS HEADERS)
    list(APPEND header_options --headers-dir2 ${dir})
endforeach()
execute_process(COMMAND abidiff --drop-private-types ${header_options} ${BASELINE} ${LIBRARY}
    RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
message(STATUS "abidiff: status ${status}\n${report}")
# abidiff's status is a set of bits: 1 error, 2 usage, 4 a change, 8 an
# incompatible change.
if(NOT status MATCHES "^[0-9]+$")
    message(FATAL_ERROR "abidiff did not run: ${status}")
endif()
math(EXPR failing "${status} & 11")
if(failing)
    message(FATAL_ERROR "the binary interface of ${LIBRARY} is not compatible with ${BASELINE}")
endif()
