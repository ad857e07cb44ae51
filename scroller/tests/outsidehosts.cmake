# Installs the tree under a fresh root (DESTDIR) and builds three hosts against it
# with their own CMake projects, as host authors outside the tree would:
# one that links Tovrell::Control, one built from a .ui holding a Scroller,
# and one whose component code is C11 (Tovrell::Headers and dlopen). Runs
# each offscreen, and compiles the C host once more with the flags of the
# pkg-config module.
#   cmake -DBUILD_DIR=<build> -DINSTALL_PREFIX=<its prefix> -DHOSTS_DIR=<these hosts> -DWORK_DIR=<scratch>
#         -DGENERATOR=<gen> -P outsidehosts.cmake
cmake_minimum_required(VERSION 3.25)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(failed)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command}\n${output}")
    endif()
    message(STATUS "${output}")
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/root${INSTALL_PREFIX})
set(ENV{DESTDIR} ${WORK_DIR}/root)
run(${CMAKE_COMMAND} --install ${BUILD_DIR})
unset(ENV{DESTDIR})
set(ENV{QT_QPA_PLATFORM} offscreen)

foreach(host linked designed chost)
    run(${CMAKE_COMMAND} -S ${HOSTS_DIR}/${host} -B ${WORK_DIR}/${host} -G ${GENERATOR}
        -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    run(${CMAKE_COMMAND} --build ${WORK_DIR}/${host})
endforeach()
run(${WORK_DIR}/linked/linkedhost)
run(${WORK_DIR}/designed/designedhost)
run(${WORK_DIR}/chost/chost)

file(GLOB_RECURSE modules ${prefix}/*/tovrell.pc)
cmake_path(GET modules PARENT_PATH module_dir)
set(ENV{PKG_CONFIG_PATH} ${module_dir})
execute_process(COMMAND pkg-config --cflags --libs tovrell OUTPUT_VARIABLE flags RESULT_VARIABLE failed
    OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(flags UNIX_COMMAND "${flags}")
set(includes ${flags})
list(FILTER includes INCLUDE REGEX "^-I")
list(GET includes 0 first_include)
string(SUBSTRING "${first_include}" 2 -1 first_include)
file(REAL_PATH "${first_include}" first_include)
if(failed OR NOT first_include STREQUAL "${prefix}/include" OR NOT "-ltovrell" IN_LIST flags)
    message(FATAL_ERROR "pkg-config gives '${flags}' for tovrell")
endif()
run(cc -std=c11 -pedantic -Wall -Wextra -Werror ${includes} -c ${HOSTS_DIR}/chost/host.c -o ${WORK_DIR}/host.o)
