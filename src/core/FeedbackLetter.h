#pragma once

#include "core/FeedbackImage.h"

#include <QList>
#include <QString>

// A feedback letter as its writer left it: the reply address, the message and the attached images.
struct FeedbackLetter
{
    QString email;
    QString message;
    QList<FeedbackImage> images;
};
