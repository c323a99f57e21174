#pragma once

#include <QObject>
#include <QUrl>

class QJSEngine;
class QQmlEngine;

// The letter's attachment previews for its tiles, as "image://feedback/<id>". The image provider is
// installed on the engine that first asks for this singleton, which every view showing a tile does.
class FeedbackPreviews : public QObject
{
    Q_OBJECT

public:
    explicit FeedbackPreviews(QQmlEngine &engine);
    static FeedbackPreviews *create(QQmlEngine *engine, QJSEngine *);

    Q_INVOKABLE QUrl source(const QString &id) const;
};
