# Installs components of a build into a scratch place and checks that each
# named file arrived there: as a package build installs, under a scratch
# root (DESTDIR) with the configured prefix, or, with RELOCATE, as a host
# author installs the kit, into a prefix of their own.
#   cmake -DBUILD=<build> -DROOT=<scratch root> -DPREFIX=<configured prefix> -DCOMPONENTS="a;b"
#         [-DFILES="f;g"] -P CheckInstall.cmake
#   cmake -DBUILD=<build> -DPREFIX=<scratch prefix> -DRELOCATE=ON -DCOMPONENTS="a;b" [-DFILES="f;g"]
#         -P CheckInstall.cmake
# FILES are relative to the prefix.
if(RELOCATE)
    set(installed ${PREFIX})
    file(REMOVE_RECURSE ${PREFIX})
    set(environment --unset=DESTDIR)
    set(prefix_option --prefix ${PREFIX})
else()
    set(installed ${ROOT}${PREFIX})
    file(REMOVE_RECURSE ${ROOT})
    set(environment DESTDIR=${ROOT})
    set(prefix_option)
endif()
foreach(component IN LISTS COMPONENTS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${CMAKE_COMMAND} --install ${BUILD}
        --component ${component} ${prefix_option} OUTPUT_QUIET RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "installing the ${component} files into ${installed} failed")
    endif()
endforeach()
foreach(file IN LISTS FILES)
    if(NOT EXISTS ${installed}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
