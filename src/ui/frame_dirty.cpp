#include "ui/frame_dirty.h"

#include "app/application.h"

void markFrameDirty() {
    if (theApp) theApp->frameDirty = true;
}
