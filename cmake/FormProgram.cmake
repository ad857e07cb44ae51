# One recipe for a program with one window:
#   add_form_program(<Program> ID <reverse-DNS id> WINDOW <class> <header>
#                    DESCRIPTION <text> SOURCES <window sources>... [LIBRARIES <libraries>...])
# builds the window into the library <program>window (lower case), which the
# tests and benchmarks link, with the program's German and French catalogs
# (<program>_de.ts, <program>_fr.ts); the executable <Program> around it,
# with its version record; the install rules of its desktop identity (the
# install component <program>); and, with tests, the checks of its desktop
# entry, metainfo, version record and install.
set(FORM_PROGRAM_MAIN ${CMAKE_CURRENT_LIST_DIR}/programmain.cpp.in)

function(add_form_program PROGRAM)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "ID;DESCRIPTION" "WINDOW;SOURCES;LIBRARIES")
    string(TOLOWER ${PROGRAM} program)
    list(GET ARG_WINDOW 0 WINDOW_CLASS)
    list(GET ARG_WINDOW 1 WINDOW_HEADER)
    set(DESKTOP_ID ${ARG_ID})

    set(window ${program}window)
    qt_add_library(${window} STATIC ${ARG_SOURCES})
    target_link_libraries(${window} PUBLIC Runtime::Core Runtime::Widgets PRIVATE programicon ${ARG_LIBRARIES})
    qt_add_translations(${window} TS_FILES ${program}_de.ts ${program}_fr.ts LUPDATE_OPTIONS -locations none)
    # The window's header holds the generated form by value: its folder is
    # part of the library's interface.
    set(autogen ${CMAKE_CURRENT_BINARY_DIR}/${window}_autogen)
    set_target_properties(${window} PROPERTIES AUTOGEN_BUILD_DIR ${autogen})
    target_include_directories(${window} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${autogen}/include)

    configure_file(${FORM_PROGRAM_MAIN} ${CMAKE_CURRENT_BINARY_DIR}/${program}main.cpp @ONLY)
    qt_add_executable(${PROGRAM} ${CMAKE_CURRENT_BINARY_DIR}/${program}main.cpp)
    target_link_libraries(${PROGRAM} PRIVATE ${window})
    add_version_record(${PROGRAM}
        INTERNAL_NAME "${PROGRAM}"
        ORIGINAL_FILENAME "${PROGRAM}.exe"
        PRODUCT_NAME "${PROGRAM}"
        FILE_DESCRIPTION "${ARG_DESCRIPTION}")

    # The desktop identity, all named by the id: the .desktop entry, the
    # AppStream metainfo and the program icon in the hicolor theme at the
    # sizes desktops and software centres look for.
    install(TARGETS ${PROGRAM} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${program})
    set(desktop_entry ${CMAKE_INSTALL_DATADIR}/applications/${ARG_ID}.desktop)
    set(metainfo ${CMAKE_INSTALL_DATADIR}/metainfo/${ARG_ID}.metainfo.xml)
    install(FILES ${ARG_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT ${program})
    install(FILES ${ARG_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT ${program})
    set(icons)
    foreach(size 16 32 48 64 128 256)
        set(folder ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        install(FILES ${PICTURES_DIR}/program-${size}.png DESTINATION ${folder} RENAME ${ARG_ID}.png
            COMPONENT ${program})
        list(APPEND icons ${folder}/${ARG_ID}.png)
    endforeach()

    if(BUILD_TESTING)
        add_test(NAME ${program}_desktop_entry
            COMMAND desktop-file-validate ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_ID}.desktop)
        add_test(NAME ${program}_metainfo
            COMMAND appstreamcli validate --no-net ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_ID}.metainfo.xml)
        add_version_record_test(${PROGRAM}
            INTERNAL_NAME "${PROGRAM}" ORIGINAL_FILENAME "${PROGRAM}.exe" PRODUCT_NAME "${PROGRAM}")
        add_test(NAME ${program}_install
            COMMAND ${CMAKE_COMMAND} -DBUILD=${PROJECT_BINARY_DIR} -DROOT=${CMAKE_CURRENT_BINARY_DIR}/install-check
                -DPREFIX=${CMAKE_INSTALL_PREFIX} -DCOMPONENTS=${program}
                "-DFILES=${CMAKE_INSTALL_BINDIR}/${PROGRAM};${desktop_entry};${metainfo};${icons}"
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckInstall.cmake)
    endif()
endfunction()
