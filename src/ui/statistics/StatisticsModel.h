#pragma once

#include "ui/statistics/StatisticsPresentation.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QVariantMap>

class AppController;

// The statistics sheet's state: the chosen period over the controller's recent days. The sheet makes
// one per opening, so the period starts at 7 days each time. It follows the controller's statistics,
// today's totals and preferences, and announces a change only when something it shows changed.
class StatisticsModel : public QObject
{
    Q_OBJECT
    Q_MOC_INCLUDE("app/AppController.h")
    Q_PROPERTY(AppController *controller READ controller WRITE setController NOTIFY controllerChanged FINAL)
    Q_PROPERTY(int range READ range WRITE setRange NOTIFY rangeChanged FINAL)
    Q_PROPERTY(StatisticsTexts texts READ texts NOTIFY presentationChanged FINAL)
    // Maps with "title", "value", "detail" and "symbol".
    Q_PROPERTY(QVariantList cards READ cards NOTIFY presentationChanged FINAL)
    // Maps with "id", "dayLabel", "healthScore", "completedSessions" and "activeFocus", newest first.
    Q_PROPERTY(QVariantList rows READ rows NOTIFY presentationChanged FINAL)
    // The charts' figures as a table: maps with "columns" (the date and the value's name) and "cells" (a
    // row a day, oldest first as the chart draws them: the day, then its value).
    Q_PROPERTY(QVariantMap healthFigures READ healthFigures NOTIFY presentationChanged FINAL)
    Q_PROPERTY(QVariantMap roundFigures READ roundFigures NOTIFY presentationChanged FINAL)
    // The daily table as a table of the same kind: a row a day, newest first.
    Q_PROPERTY(QVariantMap dailyFigures READ dailyFigures NOTIFY presentationChanged FINAL)
    // Points (day index, value) of the charts.
    Q_PROPERTY(QVariantList healthPoints READ healthPoints NOTIFY presentationChanged FINAL)
    Q_PROPERTY(QVariantList healthCurve READ healthCurve NOTIFY presentationChanged FINAL)
    Q_PROPERTY(QVariantList roundBars READ roundBars NOTIFY presentationChanged FINAL)
    // Maps with "day" (the index) and "text".
    Q_PROPERTY(QVariantList dateLabels READ dateLabels NOTIFY presentationChanged FINAL)
    Q_PROPERTY(double dayAxisMinimum READ dayAxisMinimum CONSTANT FINAL)
    Q_PROPERTY(double dayAxisMaximum READ dayAxisMaximum NOTIFY presentationChanged FINAL)
    Q_PROPERTY(double healthAxisMaximum READ healthAxisMaximum NOTIFY presentationChanged FINAL)
    Q_PROPERTY(int healthAxisTickCount READ healthAxisTickCount NOTIFY presentationChanged FINAL)
    Q_PROPERTY(double roundsAxisMaximum READ roundsAxisMaximum NOTIFY presentationChanged FINAL)
    Q_PROPERTY(int roundsAxisTickCount READ roundsAxisTickCount NOTIFY presentationChanged FINAL)
    Q_PROPERTY(QColor accentColor READ accentColor NOTIFY presentationChanged FINAL)
    Q_PROPERTY(QColor healthAreaTopColor READ healthAreaTopColor NOTIFY presentationChanged FINAL)
    Q_PROPERTY(QColor healthAreaBottomColor READ healthAreaBottomColor CONSTANT FINAL)
    Q_PROPERTY(QColor roundsBarTopColor READ roundsBarTopColor CONSTANT FINAL)
    Q_PROPERTY(QColor roundsBarBottomColor READ roundsBarBottomColor CONSTANT FINAL)
    Q_PROPERTY(QColor dayGridColor READ dayGridColor CONSTANT FINAL)
    Q_PROPERTY(QColor valueGridColor READ valueGridColor CONSTANT FINAL)

public:
    using QObject::QObject;

    AppController *controller() const { return m_controller; }
    void setController(AppController *controller);

    int range() const { return m_range; }
    // Only 7 and 30 are periods; any other value is ignored.
    void setRange(int range);

    const StatisticsPresentation &presentation() const { return m_presentation; }
    const QList<DailyStat> &visibleStats() const { return m_presentation.visibleStats; }
    const DailyStat &today() const { return m_presentation.today; }

    const StatisticsTexts &texts() const { return m_presentation.texts; }
    QVariantList cards() const;
    QVariantList rows() const;
    QVariantMap healthFigures() const;
    QVariantMap roundFigures() const;
    QVariantMap dailyFigures() const;
    QVariantList healthPoints() const;
    QVariantList healthCurve() const;
    QVariantList roundBars() const;
    QVariantList dateLabels() const;
    static double dayAxisMinimum() { return -0.5; }
    double dayAxisMaximum() const { return m_presentation.dayAxisMaximum; }
    double healthAxisMaximum() const { return m_presentation.healthAxis.maximum; }
    int healthAxisTickCount() const { return m_presentation.healthAxis.tickCount; }
    double roundsAxisMaximum() const { return m_presentation.roundsAxis.maximum; }
    int roundsAxisTickCount() const { return m_presentation.roundsAxis.tickCount; }
    QColor accentColor() const { return m_presentation.accent; }
    QColor healthAreaTopColor() const;
    static QColor healthAreaBottomColor() { return Qt::transparent; }
    static QColor roundsBarTopColor();
    static QColor roundsBarBottomColor();
    static QColor dayGridColor();
    static QColor valueGridColor();

signals:
    void controllerChanged();
    void rangeChanged();
    void presentationChanged();

private:
    void recompute();
    QVariantMap figures(const QString &name, QString StatisticsRow::*value) const;

    QPointer<AppController> m_controller;
    int m_range = 7;
    StatisticsPresentation m_presentation = StatisticsPresentation::make({});
};
