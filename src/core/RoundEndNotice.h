#pragma once

#include <QString>

// Tells the user that a round has ended where the main window cannot come forward by itself (Wayland):
// acting on the notice brings the window forward.
class RoundEndNotice
{
public:
    virtual ~RoundEndNotice() = default;

    // Replaces a notice still shown.
    virtual void show(const QString &title, const QString &body, const QString &actionLabel) = 0;
    // The user reached the window some other way; safe when nothing is shown.
    virtual void withdraw() = 0;
};
