# Installs the build tree under a scratch root (DESTDIR), as a host author
# installs the kit, for the checks of the installed kit that follow.
#   cmake -DBUILD_DIR=<build> -DROOT=<scratch root> -P installkit.cmake
file(REMOVE_RECURSE ${ROOT})
set(ENV{DESTDIR} ${ROOT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component dev OUTPUT_QUIET RESULT_VARIABLE failed)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component runtime OUTPUT_QUIET
    RESULT_VARIABLE failed_too)
if(failed OR failed_too)
    message(FATAL_ERROR "installing the kit under ${ROOT} failed")
endif()
