# Installs one component of the build under a scratch root (DESTDIR), as a
# package build does, and checks that each named file arrived under the
# install prefix:
#   cmake -DBUILD=<build> -DROOT=<scratch> -DPREFIX=<install prefix> -DCOMPONENT=<component> -DFILES="a;b"
#         -P CheckInstall.cmake
file(REMOVE_RECURSE ${ROOT})
set(ENV{DESTDIR} ${ROOT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --component ${COMPONENT} RESULT_VARIABLE result
    OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(f IN LISTS FILES)
    if(NOT EXISTS ${ROOT}${PREFIX}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
