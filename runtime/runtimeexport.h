#pragma once

// Classes of the runtime that a control library passes to its hosts (the
// control's base, its font object, the property bag, runtime errors) keep
// default visibility, so a host linked with the library can use them.
#define FORMRUNTIME_EXPORT __attribute__((visibility("default")))
