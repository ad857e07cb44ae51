# Fails unless the library's dynamic symbol table defines exactly the four
# component entry points.
#   cmake -DLIBRARY=<libtovrell.so> -P checkexports.cmake
execute_process(COMMAND nm -D --defined-only ${LIBRARY} OUTPUT_VARIABLE table RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "nm cannot read ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${table}")
set(defined)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] " "" name "${line}")
    list(APPEND defined ${name})
endforeach()
list(SORT defined)
set(expected DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer)
if(NOT defined STREQUAL expected)
    message(FATAL_ERROR "libtovrell exports ${defined}; expected exactly ${expected}")
endif()
message(STATUS "exports: ${defined}")
