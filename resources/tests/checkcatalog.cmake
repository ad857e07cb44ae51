# Installs the build under a scratch root (DESTDIR) and composes the software-centre
# catalog over it, as a distribution does: every program must be in it with
# its icon.
#   cmake -DBUILD=<build> -DPREFIX=<install prefix> -DWORK=<scratch> -DIDS="a;b" -P checkcatalog.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
set(ENV{DESTDIR} ${WORK}/root)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmake --install failed")
endif()
execute_process(COMMAND appstreamcli compose --no-color --origin formprograms --result-root=${WORK}/catalog
        --prefix=${PREFIX} ${WORK}/root
    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE failed)
file(GLOB catalog ${WORK}/catalog${PREFIX}/share/swcatalog/xml/formprograms.xml.gz)
if(failed OR NOT catalog)
    message(FATAL_ERROR "appstreamcli compose failed:\n${output}")
endif()
execute_process(COMMAND gzip -dc ${catalog} OUTPUT_VARIABLE xml)
foreach(id IN LISTS IDS)
    if(NOT xml MATCHES "<id>${id}</id>" OR NOT EXISTS ${WORK}/catalog${PREFIX}/share/swcatalog/icons/formprograms/64x64/${id}.png)
        message(FATAL_ERROR "the catalog lacks ${id} or its icon:\n${output}")
    endif()
endforeach()
message(STATUS "catalog: ${IDS}")
