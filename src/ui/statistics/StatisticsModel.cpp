#include "ui/statistics/StatisticsModel.h"

#include "app/AppController.h"
#include "core/Tones.h"

namespace {

QVariantList pointList(const QList<QPointF> &points)
{
    QVariantList list;
    list.reserve(points.size());
    for (const QPointF &point : points)
        list.append(point);
    return list;
}

QVariantMap figureTable(const QStringList &columns, const QStringList &cells)
{
    return { { QStringLiteral("columns"), columns }, { QStringLiteral("cells"), cells } };
}

} // namespace

void StatisticsModel::setController(AppController *controller)
{
    if (controller == m_controller)
        return;
    if (m_controller) {
        disconnect(m_controller, nullptr, this, nullptr);
        disconnect(m_controller->statistics(), nullptr, this, nullptr);
    }
    m_controller = controller;
    if (controller) {
        for (const auto signal : { &Statistics::dailyStatsChanged, &Statistics::todayHealthScoreChanged,
                 &Statistics::todayCompletedSessionsChanged })
            connect(controller->statistics(), signal, this, &StatisticsModel::recompute);
        connect(controller, &AppController::preferencesChanged, this, &StatisticsModel::recompute);
    }
    emit controllerChanged();
    recompute();
}

void StatisticsModel::setRange(int range)
{
    if (range == m_range || (range != 7 && range != 30))
        return;
    m_range = range;
    emit rangeChanged();
    recompute();
}

void StatisticsModel::recompute()
{
    StatisticsInputs inputs;
    inputs.range = m_range;
    if (m_controller) {
        const Statistics &statistics = *m_controller->statistics();
        inputs.dailyStats = statistics.dailyStats();
        inputs.todayHealthScore = statistics.todayHealthScore();
        inputs.todayCompletedSessions = statistics.todayCompletedSessions();
        inputs.now = m_controller->now();
        inputs.language = m_controller->language();
        inputs.accent = m_controller->appearance()->accentColor();
    }
    StatisticsPresentation presentation = StatisticsPresentation::make(inputs);
    if (presentation == m_presentation)
        return;
    m_presentation = std::move(presentation);
    emit presentationChanged();
}

QVariantList StatisticsModel::cards() const
{
    QVariantList list;
    for (const StatisticsCard &card : m_presentation.cards) {
        list.append(
            QVariantMap { { QStringLiteral("title"), card.title }, { QStringLiteral("value"), card.value },
                { QStringLiteral("detail"), card.detail }, { QStringLiteral("symbol"), card.symbol } });
    }
    return list;
}

QVariantList StatisticsModel::rows() const
{
    QVariantList list;
    for (const StatisticsRow &row : m_presentation.rows) {
        list.append(QVariantMap { { QStringLiteral("id"), row.id },
            { QStringLiteral("dayLabel"), row.dayLabel }, { QStringLiteral("healthScore"), row.healthScore },
            { QStringLiteral("completedSessions"), row.completedSessions },
            { QStringLiteral("activeFocus"), row.activeFocus } });
    }
    return list;
}

QVariantMap StatisticsModel::healthFigures() const
{
    return figures(m_presentation.texts.healthValueName, &StatisticsRow::healthScore);
}

QVariantMap StatisticsModel::roundFigures() const
{
    return figures(m_presentation.texts.roundsValueName, &StatisticsRow::completedSessions);
}

QVariantMap StatisticsModel::figures(const QString &name, QString StatisticsRow::*value) const
{
    QStringList cells;
    for (auto row = m_presentation.rows.crbegin(); row != m_presentation.rows.crend(); ++row)
        cells << row->dayLabel << (*row).*value;
    return figureTable({ m_presentation.texts.dateValueName, name }, cells);
}

QVariantMap StatisticsModel::dailyFigures() const
{
    const StatisticsTexts &texts = m_presentation.texts;
    QStringList cells;
    for (const StatisticsRow &row : m_presentation.rows)
        cells << row.dayLabel << row.healthScore << row.completedSessions << row.activeFocus;
    return figureTable(
        { texts.dateValueName, texts.healthCaption, texts.roundsCaption, texts.activeFocusCaption }, cells);
}

QVariantList StatisticsModel::healthPoints() const
{
    return pointList(m_presentation.healthPoints);
}

QVariantList StatisticsModel::healthCurve() const
{
    return pointList(m_presentation.healthCurve);
}

QVariantList StatisticsModel::roundBars() const
{
    return pointList(m_presentation.roundBars);
}

QVariantList StatisticsModel::dateLabels() const
{
    QVariantList list;
    for (const StatisticsDateLabel &label : m_presentation.dateLabels)
        list.append(
            QVariantMap { { QStringLiteral("day"), label.day }, { QStringLiteral("text"), label.text } });
    return list;
}

QColor StatisticsModel::healthAreaTopColor() const
{
    return Tones::tinted(m_presentation.accent, Tones::accentArea());
}

QColor StatisticsModel::roundsBarTopColor()
{
    return Tones::breakColour();
}

QColor StatisticsModel::roundsBarBottomColor()
{
    return Tones::breakColourDeep();
}

QColor StatisticsModel::dayGridColor()
{
    return Tones::white(Tones::controlFill());
}

QColor StatisticsModel::valueGridColor()
{
    return Tones::white(Tones::outline());
}
