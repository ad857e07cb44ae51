// regcomponent: registers or unregisters a component library in the
// user's component registry, or with --system in the system's (for every
// user), by calling the library's own exports.
//
//   regcomponent [--system] [-u] <library>
//   regcomponent --system-registry-of <prefix>
//   regcomponent --help | --version
//
// Exit status 0 on success, 1 when the library fails or refuses, 2 on a
// wrong command line.

#include "componentregistry.h"

#include <cstdio>
#include <cstring>

#include <dlfcn.h>

namespace {

const char usage[] = "usage: regcomponent [--system] [-u] <library>\n"
                     "       regcomponent --system-registry-of <prefix>\n"
                     "Registers a component library by calling its DllRegisterServer, or with -u\n"
                     "unregisters it (DllUnregisterServer): in the user's component registry, or\n"
                     "with --system in the registry for every user.\n"
                     "  -u          unregister\n"
                     "  --system    the registry for every user\n"
                     "  --system-registry-of <prefix>\n"
                     "              prints where the registry for every user of an installation\n"
                     "              in prefix lies\n"
                     "  --help      this text\n"
                     "  --version   the version\n";

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "-v") == 0)) {
        std::puts("regcomponent " FORM_VERSION);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--system-registry-of") == 0) {
        std::puts(qPrintable(ComponentRegistry::systemLocationFor(QString::fromLocal8Bit(argv[2]))));
        return 0;
    }
    bool unregister = false;
    bool system = false;
    int next = 1;
    for (; next < argc && argv[next][0] == '-'; ++next) {
        if (std::strcmp(argv[next], "-u") == 0)
            unregister = true;
        else if (std::strcmp(argv[next], "--system") == 0)
            system = true;
        else
            break;
    }
    if (next != argc - 1 || argv[next][0] == '-') {
        std::fputs(usage, stderr);
        return 2;
    }
    const char *path = argv[next];
    const char *entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    // The library writes the registry that this variable names.
    if (system)
        qputenv("FORM_COMPONENT_REGISTRY", ComponentRegistry::systemLocation().toLocal8Bit());

    void *library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "regcomponent: cannot load %s: %s\n", path, dlerror());
        return 1;
    }
    auto *call = reinterpret_cast<HRESULT (*)()>(dlsym(library, entry));
    if (!call) {
        std::fprintf(stderr, "regcomponent: %s has no %s entry point: it is not a component library\n", path, entry);
        dlclose(library);
        return 1;
    }
    const HRESULT result = call();
    dlclose(library);
    if (FAILED(result)) {
        std::fprintf(stderr, "regcomponent: %s failed with result 0x%08X (registry: %s)\n", entry, unsigned(result),
                     qPrintable(ComponentRegistry::location()));
        if (result == SELFREG_E_CLASS)
            std::fprintf(stderr,
                         "regcomponent: the registry is read-only, or holds lines that rewriting it would "
                         "lose or damage (comments, binary data); it was left as it was\n");
        return 1;
    }
    std::printf("%s succeeded for %s (registry: %s)\n", entry, path, qPrintable(ComponentRegistry::location()));
    return 0;
}
