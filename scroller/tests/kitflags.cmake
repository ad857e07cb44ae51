# The compiler and linker flags of one of the installed kit's pkg-config
# modules, for the scripts that build against the kit:
#   kit_flags(<module> <ALL_MODULES | KIT_ONLY> <out> [--libs])
# With KIT_ONLY pkg-config sees the kit's modules in KIT_MODULES and no
# others (no Qt); with ALL_MODULES the system's too. The environment stays
# so for what the caller runs next.
function(kit_flags module sight out)
    if(sight STREQUAL "KIT_ONLY")
        set(ENV{PKG_CONFIG_LIBDIR} ${KIT_MODULES})
        unset(ENV{PKG_CONFIG_PATH})
    else()
        unset(ENV{PKG_CONFIG_LIBDIR})
        set(ENV{PKG_CONFIG_PATH} ${KIT_MODULES})
    endif()
    execute_process(COMMAND pkg-config --cflags ${ARGN} ${module} OUTPUT_VARIABLE flags RESULT_VARIABLE failed
        ERROR_VARIABLE error OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(failed)
        message(FATAL_ERROR "pkg-config --cflags ${ARGN} ${module}: ${error}")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()
