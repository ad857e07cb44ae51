# Builds and runs hosts outside the tree against the installed kit, one
# case for each way in, as host authors would:
#   cmake-linked    find_package, Tovrell::Control: every public member of
#                   the class (hosts/linked)
#   cmake-designed  find_package, a .ui file holding a Scroller (hosts/designed)
#   cmake-c         find_package, component code in C11 beside the three
#                   lines of C++ that make the QApplication (hosts/chost)
#   cmake-c-only    find_package in a project of C alone: no Qt is looked
#                   for, and without an application the factory refuses
#                   cleanly (hosts/noapp)
#   pkg-config-qt   the linked host from `pkg-config --cflags --libs tovrell`
#   pkg-config-c    the C-only host from tovrell-headers, with no Qt
#                   module in sight
#   cmake -DPREFIX=<installed prefix> -DLIBDIR=<its lib dir> -DHOSTS_DIR=<these hosts>
#         -DWORK_DIR=<scratch> -DGENERATOR=<gen> -P outsidehosts.cmake
cmake_minimum_required(VERSION 3.25)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(failed)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command}\n${output}")
    endif()
    message(STATUS "${output}")
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/kitflags.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
set(library ${PREFIX}/${LIBDIR}/libtovrell.so.1)
set(KIT_MODULES ${PREFIX}/${LIBDIR}/pkgconfig)
set(ENV{QT_QPA_PLATFORM} offscreen)

foreach(host linked designed chost noapp)
    run(${CMAKE_COMMAND} -S ${HOSTS_DIR}/${host} -B ${WORK_DIR}/${host} -G ${GENERATOR}
        -DCMAKE_PREFIX_PATH=${PREFIX} -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    run(${CMAKE_COMMAND} --build ${WORK_DIR}/${host})
endforeach()
run(${WORK_DIR}/linked/linkedhost)
run(${WORK_DIR}/designed/designedhost)
run(${WORK_DIR}/chost/chost)
run(${WORK_DIR}/noapp/noapphost ${library})

# A Qt host from the module alone: its flags bring Qt's with them.
kit_flags(tovrell ALL_MODULES qt_flags --libs)
run(c++ -std=c++17 -Wall -Wextra -Wpedantic -Werror ${HOSTS_DIR}/linked/main.cpp ${qt_flags}
    -Wl,-rpath,${PREFIX}/${LIBDIR} -o ${WORK_DIR}/pkgconfig-linkedhost)
run(${WORK_DIR}/pkgconfig-linkedhost)

# A C host where only the kit's modules are known.
kit_flags(tovrell-headers KIT_ONLY c_flags --libs)
execute_process(COMMAND pkg-config --exists Qt6Widgets RESULT_VARIABLE qt_missing)
if(NOT qt_missing)
    message(FATAL_ERROR "Qt's modules are still in sight of pkg-config")
endif()
run(cc -std=c11 -pedantic -Wall -Wextra -Werror ${HOSTS_DIR}/noapp/noapp.c ${c_flags}
    -o ${WORK_DIR}/pkgconfig-noapphost)
run(${WORK_DIR}/pkgconfig-noapphost ${library})
