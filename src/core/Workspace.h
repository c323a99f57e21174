#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The desktop around the program: the browser and the file manager. The alert sound is SystemBeep.
class Workspace
{
public:
    virtual ~Workspace() = default;
    // Hands the address to the desktop's default handler; false when none takes it.
    virtual bool openUrl(const QUrl &url) = 0;
    // Shows the file selected in the file manager, or at least opens the folder that holds it; calls
    // `unshown` with that folder, perhaps later, when nothing takes either.
    virtual void revealFile(const QString &path, std::function<void(const QString &folder)> unshown) = 0;
};
