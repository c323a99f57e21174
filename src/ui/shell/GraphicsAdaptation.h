#pragma once

#include <QObject>

class QJSEngine;
class QQmlEngine;

// How the windows are drawn, for the views that draw differently under Qt Quick's software adaptation.
// Chosen once, before the first window (setUpViews), and read by each engine when it first asks.
class GraphicsAdaptation : public QObject
{
    Q_OBJECT
    // The software adaptation redraws only what changed and has no use for layers that spare a GPU-less
    // OpenGL the work of drawing the whole window again.
    Q_PROPERTY(bool software READ software CONSTANT FINAL)

public:
    explicit GraphicsAdaptation(bool software, QObject *parent = nullptr)
        : QObject(parent)
        , m_software(software)
    { }

    static GraphicsAdaptation *create(QQmlEngine *, QJSEngine *);

    bool software() const { return m_software; }

private:
    bool m_software;
};
