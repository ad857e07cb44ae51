# Installs a program's desktop identity, all named by its reverse-DNS id
# (org.formprograms.<Program>): the .desktop entry, the AppStream metainfo
# beside it in the program's folder, and the program icon in the hicolor
# theme at the sizes the desktop and software centres look for. So the
# program shows in a desktop's application menu and in software centres.
function(install_program_entry id)
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${PICTURES_DIR}/program-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${id}.png)
    endforeach()
endfunction()
