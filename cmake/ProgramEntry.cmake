# Installs a program's .desktop entry and the program icon under icon_name,
# so that the program shows in a desktop's application menu.
function(install_program_entry desktop_file icon_name)
    install(FILES ${desktop_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size 16 32)
        install(FILES ${PICTURES_DIR}/program-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${icon_name}.png)
    endforeach()
endfunction()
