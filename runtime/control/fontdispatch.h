#pragma once

#include "fontobject.h"
#include <tovrell/interfaces.h>

#include <memory>

// A font object reachable through IDispatch (Name, Size, Bold, Italic by
// their standard dispatch ids), sharing the control's FontObject.
// Returns it with one reference held by the caller.
IDispatch *fontDispatch(std::shared_ptr<FontObject> font);
// The font behind a font dispatch object: the shared object itself when it
// is one of ours, otherwise a new one read through the object's properties.
// None when the object is not a font (no text Name, no numeric Size);
// RuntimeError 380 when its size is one no font can take.
std::shared_ptr<FontObject> fontFromDispatch(IDispatch *dispatch);
