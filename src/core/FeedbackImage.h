#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QUuid>

// One image attached to a feedback letter. Only the name, the type and the bytes are sent.
struct FeedbackImage
{
    // Its identity in the letter's list, so that removing one goes by it.
    QUuid id;
    // The chosen file's last path component.
    QString name;
    QString mimeType;
    // The file's whole contents.
    QByteArray data;
    // For display only; null when none could be made.
    QImage preview;
};
