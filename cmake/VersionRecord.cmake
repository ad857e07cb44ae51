# Embeds a version record in target: file and product version 1.0.0.0
# ("1.00"), US English with the Unicode code page, and the given names. It
# is kept in the ELF section .verinfo, readable without running the program:
#   readelf -p .verinfo <program>
set(VERSION_RECORD_DIR ${PROJECT_SOURCE_DIR}/resources)
function(add_version_record target)
    cmake_parse_arguments(PARSE_ARGV 1 RECORD "" "INTERNAL_NAME;ORIGINAL_FILENAME;PRODUCT_NAME;FILE_DESCRIPTION" "")
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_versionrecord.cpp)
    configure_file(${VERSION_RECORD_DIR}/versionrecord.cpp.in ${output} @ONLY)
    target_sources(${target} PRIVATE ${output} ${VERSION_RECORD_DIR}/versionrecord.h)
    target_include_directories(${target} PRIVATE ${VERSION_RECORD_DIR})
endfunction()

# A test that reads program's version record from its file.
function(add_version_record_test program)
    cmake_parse_arguments(PARSE_ARGV 1 RECORD "" "INTERNAL_NAME;ORIGINAL_FILENAME;PRODUCT_NAME" "")
    set(name tst_versionrecord_${program})
    qt_add_executable(${name} ${VERSION_RECORD_DIR}/tests/tst_versionrecord.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE Qt6::Core Qt6::Test)
    target_compile_definitions(${name} PRIVATE
        PROGRAM="$<TARGET_FILE:${program}>"
        INTERNAL_NAME="${RECORD_INTERNAL_NAME}"
        ORIGINAL_FILENAME="${RECORD_ORIGINAL_FILENAME}"
        PRODUCT_NAME="${RECORD_PRODUCT_NAME}")
    add_dependencies(${name} ${program})
    add_test(NAME ${name} COMMAND ${name})
endfunction()
