#pragma once

// The program's version record, as embedded in its file.
namespace VersionRecord {
extern const char internalName[];
extern const char productName[];
extern const char productVersion[];
extern const char fileDescription[];
} // namespace VersionRecord
