#pragma once

#include <tovrell/componenttypes.h>

#include <QList>
#include <QString>

// What a control library tells the runtime's services about itself.
struct ProjectDescriptor
{
    struct Object
    {
        QString name; // "Scroller"
        CLSID classId;
        IID interfaceId; // the default interface
        IID eventInterfaceId; // the default source interface
        std::uint32_t miscStatus; // OLEMISC flags
        int toolboxBitmapId;
        bool isControl;
    };

    QString name; // project and type-library name
    QString description;
    LCID locale;
    QList<Object> objects;
    bool apartmentThreaded;
    GUID typeLibraryId;
    WORD typeLibraryMajor;
    WORD typeLibraryMinor;
};

// The component registries: the user's, a settings file under the user's
// configuration folder (or the file that FORM_COMPONENT_REGISTRY names),
// and the system's under the system configuration folder (or
// FORM_COMPONENT_SYSTEM_REGISTRY), which packages register into for every
// user. Lookups read the user's first. Registration writes the user's;
// regcomponent --system points it at the system's.
// Registration writes, for each object, its class id (library path,
// threading model, control mark, toolbox bitmap, misc status, type
// library), its programmatic id "<project>.<object>", its two interfaces,
// and the type library's entry; unregistration removes exactly those.
namespace ComponentRegistry {

QString location();
QString systemLocation();
// The registry for every user of an installation in prefix: under the
// prefix's configuration folder, /etc for the prefix /usr. The one rule for
// it: the installed <tovrell/registry.h> is written from it too
// (regcomponent --system-registry-of).
QString systemLocationFor(const QString &prefix);
// Results: S_OK; SELFREG_E_CLASS when the registry cannot be read or
// written (a corrupt or read-only file), and then nothing is changed.
HRESULT registerServer(const ProjectDescriptor &project, const QString &libraryPath);
HRESULT unregisterServer(const ProjectDescriptor &project);
// The class id registered for a programmatic id, and the library that
// serves a class id: the user's registration, else the system's.
std::optional<CLSID> classIdOf(const QString &programmaticId);
QString libraryOf(REFCLSID classId);

} // namespace ComponentRegistry
