#pragma once

#include "core/AppLanguage.h"

#include <QObject>
#include <QTranslator>
#include <optional>

class AppController;

// Qt's own dialogs, shown where the desktop offers none of its own (the open-file and colour dialogs),
// speak the interface's language: Qt's translations are loaded for Chinese and taken away for English,
// and they follow the language whenever the settings change it.
class QtDialogTranslations : public QObject
{
    Q_OBJECT

public:
    explicit QtDialogTranslations(const AppController &controller);

private:
    void follow(AppLanguage language);

    QTranslator m_translator;
    std::optional<AppLanguage> m_language;
    bool m_installed = false;
};
