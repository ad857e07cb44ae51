# Writes REGISTRY_LOCATION_FILE, the registry for every user of an
# installation in REGISTRY_LOCATION_PREFIX, as the runtime's own rule gives
# it: REGCOMPONENT --system-registry-of <prefix>.
#   cmake -DREGCOMPONENT=<regcomponent> -DREGISTRY_LOCATION_PREFIX=<prefix> -DREGISTRY_LOCATION_FILE=<header>
#         -P registrylocation.cmake
execute_process(COMMAND ${REGCOMPONENT} --system-registry-of ${REGISTRY_LOCATION_PREFIX}
    OUTPUT_VARIABLE TOVRELL_SYSTEM_REGISTRY OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR NOT TOVRELL_SYSTEM_REGISTRY)
    message(FATAL_ERROR "${REGCOMPONENT} did not say where the registry for every user lies")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/registrylocation.h.in ${REGISTRY_LOCATION_FILE} @ONLY)
