# Installs the build tree into a scratch prefix, as a host author installs
# the kit, for the checks of the installed kit that follow.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch prefix> -P installkit.cmake
file(REMOVE_RECURSE ${PREFIX})
foreach(component dev runtime qml)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DESTDIR ${CMAKE_COMMAND} --install ${BUILD_DIR}
        --component ${component} --prefix ${PREFIX} OUTPUT_QUIET RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "installing the kit's ${component} files into ${PREFIX} failed")
    endif()
endforeach()
