# Installs a program as the install component named by its lowercase name:
# the executable, and its desktop identity, all named by its reverse-DNS id
# (org.formprograms.<Program>): the .desktop entry, the AppStream metainfo
# beside it in the program's folder, and the program icon in the hicolor
# theme at the sizes the desktop and software centres look for. So the
# program shows in a desktop's application menu and in software centres.
function(install_program target id)
    string(TOLOWER ${target} component)
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${component})
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT ${component})
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT ${component})
    foreach(size 16 32 48 64 128 256)
        install(FILES ${PICTURES_DIR}/program-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${id}.png COMPONENT ${component})
    endforeach()
endfunction()
