#pragma once

#include <QString>

// Whether Qt Quick draws the windows with its software adaptation instead of OpenGL. Where OpenGL would
// only be a software rasteriser (no GPU driver, a virtual or remote X server), the software adaptation
// draws the same picture at a fraction of the memory and of the CPU: it redraws only what changed, and no
// GL driver is loaded. Finding out what OpenGL would be must not load the GL driver itself, so the signs
// come from the X server and the device nodes.
namespace SoftwareSceneGraph {

struct Signs
{
    // Qt's own choice, as the user made it: the adaptation (QT_QUICK_BACKEND, or the older
    // QMLSCENE_DEVICE) and the graphics API (QSG_RHI_BACKEND). Empty when unset.
    QString adaptationAsked;
    QString graphicsApiAsked;
    bool x11 = false;
    // Direct rendering: without either extension, GL on this server cannot reach a GPU.
    bool dri3 = false;
    bool dri2 = false;
    // A DRM render node that this user may open to draw with.
    bool renderNode = false;
};

bool chosen(const Signs &signs);

// Whether a render node ("renderD" followed by its number) in `folder` opens for reading and writing.
bool renderNodeOpens(const QString &folder);

// Asks Qt's variables, the X server (over Qt's own connection) and /dev/dri.
Signs current();

} // namespace SoftwareSceneGraph
