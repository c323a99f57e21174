// The settings sheet's rhythm, general and update panes: their rules on the working copy and the
// update check that follows a save.

#include "app/AppController.h"
#include "network/UpdateController.h"
#include "platform/AutostartEntry.h"
#include "ui/settings/MinuteStepper.h"
#include "ui/settings/SettingsSession.h"

void SettingsSession::beginUpdateCheck()
{
    if (!commitWeightInputsOrShowError())
        return;
    // A refusal leaves the alert asking for a fix; closing would throw the edits away.
    if (!m_controller.savePreferences(m_draft))
        return;
    saveStartsAtLogin();
    m_controller.sheets()->close(Sheets::Sheet::Settings);
    m_controller.updateController().checkForUpdatesSoon();
}

QString SettingsSession::sessionMinutesLabel() const
{
    return MinuteStepper::label(m_draft.sessionMinutes, language());
}

bool SettingsSession::canIncreaseSessionMinutes() const
{
    return MinuteSteppers::sessionMinutes.canIncrease(m_draft.sessionMinutes);
}

bool SettingsSession::canDecreaseSessionMinutes() const
{
    return MinuteSteppers::sessionMinutes.canDecrease(m_draft.sessionMinutes);
}

void SettingsSession::stepSessionMinutes(int direction)
{
    AppPreferences changed = m_draft;
    changed.sessionMinutes = MinuteSteppers::sessionMinutes.stepped(changed.sessionMinutes, direction);
    setDraft(changed);
}

QString SettingsSession::idleMinutesLabel() const
{
    return MinuteStepper::label(m_draft.keyboardIdleMinutes, language());
}

bool SettingsSession::canIncreaseIdleMinutes() const
{
    return MinuteSteppers::keyboardIdleMinutes.canIncrease(m_draft.keyboardIdleMinutes);
}

bool SettingsSession::canDecreaseIdleMinutes() const
{
    return MinuteSteppers::keyboardIdleMinutes.canDecrease(m_draft.keyboardIdleMinutes);
}

void SettingsSession::stepIdleMinutes(int direction)
{
    AppPreferences changed = m_draft;
    changed.keyboardIdleMinutes
        = MinuteSteppers::keyboardIdleMinutes.stepped(changed.keyboardIdleMinutes, direction);
    setDraft(changed);
}

QVariantMap SettingsSession::switches() const
{
    QVariantMap switches;
    for (const auto &[key, field] : AppPreferences::switches())
        switches.insert(key, m_draft.*field);
    return switches;
}

void SettingsSession::setSwitch(const QString &key, bool on)
{
    for (const auto &[name, field] : AppPreferences::switches()) {
        if (name != key)
            continue;
        AppPreferences changed = m_draft;
        changed.*field = on;
        setDraft(changed);
    }
}

QString SettingsSession::windowLevelStatus() const
{
    return m_draft.keepWindowOnTop ? localized(language(), QStringLiteral("已使用悬浮窗口层级"),
               QStringLiteral("Using the floating window level"))
                                   : localized(language(), QStringLiteral("默认使用普通窗口层级"),
                                       QStringLiteral("Using the normal window level by default"));
}

QString SettingsSession::windowLevelSymbol() const
{
    return m_draft.keepWindowOnTop ? QStringLiteral("pin.fill") : QStringLiteral("pin.slash");
}

void SettingsSession::setLanguageName(const QString &name)
{
    const std::optional<AppLanguage> picked = fromRawValue<AppLanguage>(name);
    if (!picked)
        return;
    AppPreferences changed = m_draft;
    changed.language = *picked;
    setDraft(changed);
}

void SettingsSession::setStartsAtLogin(bool on)
{
    if (on == m_startsAtLogin)
        return;
    m_startsAtLogin = on;
    emit startsAtLoginChanged();
}

QString SettingsSession::startAtLoginDetail() const
{
    if (m_startedAtLogin || m_programStartedAtLogin.isEmpty())
        return paneTexts().startAtLoginDetail;
    return localized(language(),
        QStringLiteral("登录时桌面启动的是另一个程序：%1。打开此开关并保存，改为启动本程序。"),
        QStringLiteral(
            "At login the desktop starts another program: %1. Switch this on and save to start this "
            "one instead."))
        .arg(m_programStartedAtLogin);
}

void SettingsSession::saveStartsAtLogin()
{
    // Left as it was unless the switch moved: an entry another copy wrote stays until it is replaced.
    if (m_startsAtLogin == m_startedAtLogin)
        return;
    const Status changed = m_startsAtLogin ? AutostartEntry::write(m_program) : AutostartEntry::remove();
    if (!changed) {
        m_controller.sheets()->showAlert(localized(language(), QStringLiteral("无法更改登录时启动"),
                                             QStringLiteral("Cannot Change Start at Login")),
            localized(language(), QStringLiteral("柯帆无法更改 %1：%2"),
                QStringLiteral("Quorvane cannot change %1: %2"))
                .arg(AutostartEntry::path(), changed.error()));
    }
}
