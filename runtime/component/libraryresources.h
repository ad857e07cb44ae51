#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The resources a library carries in its ELF section ".libraryresources"
// (written by tools/embedlibraryresources), read from the library's file:
// none when the file, the section or the resource is missing or malformed.
std::optional<QByteArray> findResource(const QString &libraryPath, const QString &type, std::uint32_t id);
