# Registers a Qt Test program in one line:
#   add_form_test(<name> <libraries>...)
# builds <name>.cpp from the calling folder, links the libraries and Qt Test,
# and runs it under CTest on the offscreen platform, so that no test needs a
# display unless it asks for one itself.
function(add_form_test name)
    qt_add_executable(${name} ${name}.cpp)
    target_link_libraries(${name} PRIVATE ${ARGN} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    # The source language, English, whatever the locale of the machine.
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANGUAGE=")
endfunction()
