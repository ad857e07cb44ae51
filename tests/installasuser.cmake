# Installs the build as an ordinary user (as root: the user USER) into
# places that user owns, and checks that everything lands inside them, once
# for each way a prefix is given:
#   prefix  cmake --install --prefix <dir>, a prefix given at install time
#   staging DESTDIR=<dir>, the configured prefix under a staging root
# For each: the install manifest names only files inside; the Designer
# plugin is under <prefix>/<libdir>/qt6/plugins/designer and finds the
# installed library; QUiLoader finds the plugin through QT_PLUGIN_PATH and
# makes the Scroller; the installed regcomponent writes the registry for
# every user under <prefix>/etc and removes it again, its folder too.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -DPREFIX=<configured prefix> -DLIBDIR=<libdir>
#         -DBINDIR=<bindir> -DLOADFORM=<loadform> -DFORM=<a .ui holding a Scroller> -DUSER=<user>
#         -DSOURCE_DIR=<the checkout> -P installasuser.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
set(as_user)
if(uid EQUAL 0)
    execute_process(COMMAND id -g ${USER} OUTPUT_VARIABLE gid OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(as_user setpriv --reuid=${USER} --regid=${gid} --clear-groups)
    # A checkout the user cannot reach (one in root's home, mode 0700):
    # each command then runs in a mount namespace of its own in which the
    # folder that hides it holds the checkout alone. The user reaches the
    # checkout at its own path and nothing else of that folder, and still
    # writes only as itself.
    execute_process(COMMAND ${as_user} cat ${BUILD_DIR}/cmake_install.cmake
        RESULT_VARIABLE unreadable OUTPUT_QUIET ERROR_QUIET)
    if(unreadable)
        set(hidden)
        set(path_below ${SOURCE_DIR})
        cmake_path(GET SOURCE_DIR PARENT_PATH folder)
        while(NOT folder STREQUAL "/")
            execute_process(COMMAND ${as_user} test -x ${folder} RESULT_VARIABLE closed)
            if(closed)
                set(hidden ${folder})
                set(kept ${path_below})
            endif()
            set(path_below ${folder})
            cmake_path(GET folder PARENT_PATH folder)
        endwhile()
        cmake_path(IS_PREFIX SOURCE_DIR "${BUILD_DIR}" NORMALIZE build_inside)
        if(NOT hidden OR NOT build_inside)
            message(STATUS "SKIPPED: ${USER} cannot read ${BUILD_DIR}")
            return()
        endif()
        string(RANDOM LENGTH 8 suffix)
        set(stub /tmp/install-as-a-user-${suffix})
        cmake_path(GET kept FILENAME name)
        file(MAKE_DIRECTORY ${stub}/${name})
        # Inside a chroot whose root is no mount point the namespace's mounts
        # cannot be made private; they stay where they are made when no mount
        # in sight is shared with another namespace.
        set(propagation private)
        execute_process(COMMAND unshare --mount --propagation private true RESULT_VARIABLE no_private
            OUTPUT_QUIET ERROR_QUIET)
        file(READ /proc/self/mountinfo mounts)
        if(no_private AND NOT mounts MATCHES " shared:")
            set(propagation unchanged)
        endif()
        set(as_user unshare --mount --propagation ${propagation} -- /bin/sh -c
            "mount --bind \"$1\" \"$2\" && mount --rbind \"$3\" \"$4\" && shift 4 && exec \"$@\""
            sh ${kept} ${stub}/${name} ${stub} ${hidden} ${as_user})
        execute_process(COMMAND ${as_user} cat ${BUILD_DIR}/cmake_install.cmake
            RESULT_VARIABLE unreadable OUTPUT_QUIET ERROR_QUIET)
        if(unreadable)
            file(REMOVE_RECURSE ${stub})
            message(STATUS "SKIPPED: ${USER} cannot reach ${BUILD_DIR}, and no mount namespace here lets it")
            return()
        endif()
    endif()
endif()

function(run)
    execute_process(COMMAND ${as_user} ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(failed)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command}\n${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
# The install writes its manifest into the build tree, which is not the
# user's: only that file is handed over.
set(manifest ${BUILD_DIR}/install_manifest.txt)
file(TOUCH ${manifest})
if(as_user)
    execute_process(COMMAND chown -R ${USER}:${gid} ${WORK_DIR} ${manifest})
endif()

foreach(way prefix staging)
    set(inside ${WORK_DIR}/${way})
    if(way STREQUAL "prefix")
        set(installed ${inside})
        run(${CMAKE_COMMAND} -E env --unset=DESTDIR ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${inside})
    else()
        set(installed ${inside}${PREFIX})
        run(${CMAKE_COMMAND} -E env DESTDIR=${inside} ${CMAKE_COMMAND} --install ${BUILD_DIR})
    endif()

    # The manifest names files as installed, without the staging root.
    file(STRINGS ${manifest} files)
    foreach(file IN LISTS files)
        if(way STREQUAL "staging")
            cmake_path(IS_PREFIX PREFIX "${file}" NORMALIZE within)
            set(file ${inside}${file})
        else()
            cmake_path(IS_PREFIX inside "${file}" NORMALIZE within)
        endif()
        if(NOT within OR NOT EXISTS ${file})
            message(FATAL_ERROR "${way}: installed outside ${inside}: ${file}")
        endif()
    endforeach()

    set(plugins ${installed}/${LIBDIR}/qt6/plugins)
    set(plugin ${plugins}/designer/libtovrelldesigner.so)
    if(NOT EXISTS ${plugin})
        message(FATAL_ERROR "${way}: no Designer plugin at ${plugin}")
    endif()
    run(ldd ${plugin})
    if(NOT output MATCHES "libtovrell.so.1 => ${installed}/${LIBDIR}/qt6/plugins/designer/../../../libtovrell.so.1")
        message(FATAL_ERROR "${way}: the plugin does not find the installed library:\n${output}")
    endif()
    run(${CMAKE_COMMAND} -E env QT_PLUGIN_PATH=${plugins} QT_QPA_PLATFORM=offscreen ${LOADFORM} ${FORM})
    if(NOT output MATCHES "banner Tovrell::Scroller")
        message(FATAL_ERROR "${way}: QUiLoader did not make the Scroller:\n${output}")
    endif()

    set(registry ${installed}/etc/formruntime/components.ini)
    set(regcomponent ${installed}/${BINDIR}/regcomponent)
    set(library ${installed}/${LIBDIR}/libtovrell.so.1)
    set(environment ${CMAKE_COMMAND} -E env --unset=FORM_COMPONENT_SYSTEM_REGISTRY
        FORM_COMPONENT_REGISTRY=${WORK_DIR}/user.ini QT_QPA_PLATFORM=offscreen)
    run(${environment} ${regcomponent} --system ${library})
    if(NOT EXISTS ${registry})
        message(FATAL_ERROR "${way}: regcomponent --system did not write ${registry}:\n${output}")
    endif()
    run(${environment} ${regcomponent} --system -u ${library})
    get_filename_component(registry_folder ${registry} DIRECTORY)
    if(EXISTS ${registry_folder})
        message(FATAL_ERROR "${way}: regcomponent --system -u left ${registry_folder}")
    endif()
    message(STATUS "${way}: everything inside ${inside}")
endforeach()
if(stub)
    file(REMOVE_RECURSE ${stub})
endif()
