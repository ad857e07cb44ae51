#ifndef TOVRELL_REGISTRY_H
#define TOVRELL_REGISTRY_H

/* Finding a registered component library, for a host that knows a class
   only by its id: where DllRegisterServer or regcomponent recorded it. Plain
   C11 or C++, without Qt, defined here since the host has no library yet.

   The registries are INI files (the hosting guide, HOSTING.md in the kit's
   documentation folder share/doc/tovrell, shows one): the user's,
   $FORM_COMPONENT_REGISTRY or $XDG_CONFIG_HOME/formruntime/components.ini
   (~/.config/... without XDG_CONFIG_HOME), then the one for every user,
   $FORM_COMPONENT_SYSTEM_REGISTRY or TOVRELL_SYSTEM_REGISTRY: that of the
   installation this header belongs to (/etc/formruntime/components.ini for
   the prefix /usr, <prefix>/etc/... for another). A user's registration
   wins, as in the library's own lookups. The library of class {G} is the
   value of the line "%7B<G>%7D\InprocServer32\Default=" in section [CLSID],
   <G> in capitals; a value holding a comma, a quote or a backslash, or
   starting or ending with a blank, stands in double quotes, in which \" and
   \\ stand for " and \. */

#include "componenttypes.h"
#include <tovrell/registrylocation.h>

#include <stdio.h>

/* The value of key in section of the INI file at file, unquoted, into value
   (size bytes, NUL-terminated); 1 when found and it fits, 0 otherwise. */
static inline int TovrellRegistryValue(const char *file, const char *section, const char *key, char *value, size_t size)
{
    char line[4096];
    int inSection = 0;
    int found = 0;
    size_t keyLength = strlen(key);
    FILE *registry = file ? fopen(file, "r") : NULL;
    if (!registry)
        return 0;
    while (!found && fgets(line, sizeof line, registry)) {
        const char *from;
        size_t length = 0;
        int quoted;
        line[strcspn(line, "\r\n")] = '\0';
        if (line[0] == '[') {
            inSection = strncmp(line + 1, section, strlen(section)) == 0 && line[1 + strlen(section)] == ']';
            continue;
        }
        if (!inSection || strncmp(line, key, keyLength) != 0 || line[keyLength] != '=')
            continue;
        from = line + keyLength + 1;
        quoted = *from == '"';
        from += quoted;
        for (; *from && !(quoted && *from == '"') && length + 1 < size; ++from) {
            if (*from == '\\' && (from[1] == '\\' || from[1] == '"'))
                ++from;
            value[length++] = *from;
        }
        value[length] = '\0';
        found = length > 0 && (quoted ? *from == '"' : *from == '\0');
    }
    fclose(registry);
    return found;
}

/* The file of the library that serves class clsid, from the user's
   registry or else the system's, into path (size bytes, NUL-terminated);
   1 when a registry names one and it fits, 0 otherwise. */
static inline int TovrellFindLibrary(const CLSID *clsid, char *path, size_t size)
{
    char key[96];
    char user[4096];
    const char *moved = getenv("FORM_COMPONENT_REGISTRY");
    const char *configuration = getenv("XDG_CONFIG_HOME");
    const char *home = getenv("HOME");
    const char *system = getenv("FORM_COMPONENT_SYSTEM_REGISTRY");
    snprintf(key, sizeof key, "%%7B%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X%%7D\\InprocServer32\\Default",
             (unsigned)clsid->Data1, clsid->Data2, clsid->Data3, clsid->Data4[0], clsid->Data4[1], clsid->Data4[2],
             clsid->Data4[3], clsid->Data4[4], clsid->Data4[5], clsid->Data4[6], clsid->Data4[7]);
    if (moved && *moved)
        snprintf(user, sizeof user, "%s", moved);
    else if (configuration && *configuration)
        snprintf(user, sizeof user, "%s/formruntime/components.ini", configuration);
    else
        snprintf(user, sizeof user, "%s/.config/formruntime/components.ini", home ? home : "");
    return TovrellRegistryValue(user, "CLSID", key, path, size)
        || TovrellRegistryValue(system && *system ? system : TOVRELL_SYSTEM_REGISTRY, "CLSID", key, path, size);
}

#endif
