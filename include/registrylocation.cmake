# Writes REGISTRY_LOCATION_FILE, the registry for every user of an
# installation in REGISTRY_LOCATION_PREFIX: under its configuration folder,
# /etc for the prefix /usr as GNU's install directories have it.
if(REGISTRY_LOCATION_PREFIX STREQUAL "/usr")
    set(TOVRELL_SYSCONFDIR /etc)
else()
    set(TOVRELL_SYSCONFDIR ${REGISTRY_LOCATION_PREFIX}/etc)
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/registrylocation.h.in ${REGISTRY_LOCATION_FILE} @ONLY)
