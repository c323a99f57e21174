#pragma once

#include <QObject>
#include <QUrl>

// Lets the background view tell a video from a picture by the same rule as the rest of the program.
class BackgroundMediaTypes : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // True when the address names a movie by its extension; the file is not opened.
    Q_INVOKABLE bool isVideo(const QUrl &url) const;
};
