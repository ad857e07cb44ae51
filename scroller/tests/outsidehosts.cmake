# Builds and runs hosts outside the tree against the installed kit, one
# case for each way in, as host authors would:
#   cmake-linked    find_package, Tovrell::Control: every public member of
#                   the class (hosts/linked)
#   cmake-designed  find_package, a .ui file holding a Scroller (hosts/designed)
#   cmake-c         find_package in a project of C alone, no Qt looked for:
#                   a Scroller made and driven without a window (hosts/chost)
#   cmake-examples  find_package(COMPONENTS Headers): the example hosts in C
#                   (examples/: GTK 3, GTK 4, Xlib and SDL)
#   cmake-unknown   find_package with a component the kit lacks: named
#   pkg-config-qt   the linked host from `pkg-config --cflags --libs tovrell`
#   pkg-config-c    the C host and the Xlib example from tovrell-headers,
#                   with no Qt module in sight; the Xlib example then finds
#                   the library through the prefix's registry for every user
#                   and shows its banner under Xvfb (drivehost.py)
#   cmake -DPREFIX=<installed prefix> -DLIBDIR=<its lib dir> -DBINDIR=<its bin dir> -DHOSTS_DIR=<these hosts>
#         -DEXAMPLES_DIR=<the examples> -DDRIVER=<drivehost.py> -DWORK_DIR=<scratch> -DGENERATOR=<gen>
#         -P outsidehosts.cmake
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

foreach(host linked designed chost)
    set(sources_of_${host} ${HOSTS_DIR}/${host})
endforeach()
set(sources_of_examples ${EXAMPLES_DIR})
foreach(host linked designed chost examples)
    run(${CMAKE_COMMAND} -S ${sources_of_${host}} -B ${WORK_DIR}/${host} -G ${GENERATOR}
        -DCMAKE_PREFIX_PATH=${PREFIX} -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    run(${CMAKE_COMMAND} --build ${WORK_DIR}/${host})
endforeach()
# An unknown component is named.
file(WRITE ${WORK_DIR}/unknown/CMakeLists.txt
    "cmake_minimum_required(VERSION 3.25)\nproject(Unknown LANGUAGES C)\nfind_package(Tovrell CONFIG REQUIRED COMPONENTS Nonsense)\n")
execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK_DIR}/unknown -B ${WORK_DIR}/unknown/build -DCMAKE_PREFIX_PATH=${PREFIX}
    RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT failed OR NOT output MATCHES "no component \"Nonsense\"")
    message(FATAL_ERROR "an unknown component was not named:\n${output}")
endif()
run(${WORK_DIR}/linked/linkedhost)
run(${WORK_DIR}/designed/designedhost)
run(${WORK_DIR}/chost/chost ${library})
foreach(example xlibhost gtkhost gtk4host gtk4drawhost sdlhost)
    if(NOT EXISTS ${WORK_DIR}/examples/${example})
        message(FATAL_ERROR "the examples' build made no ${example}")
    endif()
endforeach()

# A Qt host from the module alone: its flags bring Qt's with them.
kit_flags(tovrell ALL_MODULES qt_flags --libs)
run(c++ -std=c++17 -Wall -Wextra -Wpedantic -Werror ${HOSTS_DIR}/linked/main.cpp ${qt_flags}
    -Wl,-rpath,${PREFIX}/${LIBDIR} -o ${WORK_DIR}/pkgconfig-linkedhost)
run(${WORK_DIR}/pkgconfig-linkedhost)

# C hosts where only the kit's modules are known (and X11's for the example).
kit_flags(x11 ALL_MODULES x11_flags --libs)
kit_flags(tovrell-headers KIT_ONLY c_flags --libs)
execute_process(COMMAND pkg-config --exists Qt6Widgets RESULT_VARIABLE qt_missing)
if(NOT qt_missing)
    message(FATAL_ERROR "Qt's modules are still in sight of pkg-config")
endif()
set(c_options -std=c11 -pedantic -Wall -Wextra -Werror)
run(cc ${c_options} ${HOSTS_DIR}/chost/host.c ${c_flags} -o ${WORK_DIR}/pkgconfig-chost)
run(${WORK_DIR}/pkgconfig-chost ${library})
run(cc ${c_options} ${EXAMPLES_DIR}/banner.c ${EXAMPLES_DIR}/xlibhost.c ${c_flags} ${x11_flags}
    -o ${WORK_DIR}/pkgconfig-xlibhost)

# The example registered for every user of the prefix, as its regcomponent
# does it, and found there: the user's registry has nothing.
set(environment ${CMAKE_COMMAND} -E env --unset=FORM_COMPONENT_SYSTEM_REGISTRY --unset=QT_QPA_PLATFORM
    FORM_COMPONENT_REGISTRY=${WORK_DIR}/no-user-registry.ini)
execute_process(COMMAND ${environment} ${PREFIX}/${BINDIR}/regcomponent --system ${library}
    OUTPUT_VARIABLE registered RESULT_VARIABLE failed)
# The installed C reader looks where the installed runtime wrote.
file(STRINGS ${PREFIX}/include/tovrell/registrylocation.h location REGEX "TOVRELL_SYSTEM_REGISTRY \"")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" location "${location}")
if(failed OR NOT registered MATCHES "\\(registry: ${location}\\)")
    message(FATAL_ERROR "the runtime registered for every user elsewhere than <tovrell/registry.h> reads "
        "(${location}):\n${registered}")
endif()
run(${environment} xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" /usr/bin/python3 ${DRIVER}
    ${WORK_DIR}/pkgconfig-xlibhost)
run(${environment} ${PREFIX}/${BINDIR}/regcomponent --system -u ${library})
