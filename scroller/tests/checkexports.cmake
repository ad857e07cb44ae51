# Fails unless the library's dynamic symbol table defines the four component
# entry points, the class Tovrell::Scroller (its constructor and its type
# information, which a host's dynamic_cast and sanitizers need), and nothing
# outside Tovrell::.
#   cmake -DLIBRARY=<libtovrell.so> -P checkexports.cmake
execute_process(COMMAND nm -D --defined-only --demangle ${LIBRARY} OUTPUT_VARIABLE table RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "nm cannot read ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${table}")
set(entries)
set(strays)
set(constructor FALSE)
set(typeinfo FALSE)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] " "" name "${line}")
    if(name MATCHES "^Dll(GetClassObject|CanUnloadNow|RegisterServer|UnregisterServer)$")
        list(APPEND entries ${name})
    elseif(name MATCHES "^((typeinfo|typeinfo name|vtable) for )?Tovrell::")
        if(name MATCHES "^Tovrell::Scroller::Scroller\\(")
            set(constructor TRUE)
        elseif(name STREQUAL "typeinfo for Tovrell::Scroller")
            set(typeinfo TRUE)
        endif()
    else()
        list(APPEND strays "${name}")
    endif()
endforeach()
list(LENGTH entries entry_count)
if(NOT entry_count EQUAL 4 OR NOT constructor OR NOT typeinfo OR strays)
    message(FATAL_ERROR "libtovrell exports entry points [${entries}], constructor ${constructor}, typeinfo ${typeinfo}, "
        "and outside Tovrell:: [${strays}]")
endif()
message(STATUS "exports: ${entries} and Tovrell::")
