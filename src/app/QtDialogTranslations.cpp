#include "app/QtDialogTranslations.h"

#include "app/AppController.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

QtDialogTranslations::QtDialogTranslations(const AppController &controller)
{
    follow(controller.language());
    connect(&controller, &AppController::preferencesChanged, this,
        [this, &controller] { follow(controller.language()); });
}

void QtDialogTranslations::follow(AppLanguage language)
{
    if (m_language == language)
        return;
    m_language = language;
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
    // Qt's texts are English to begin with. "qt_zh_CN" gathers the translations of Qt's modules.
    m_installed = language == AppLanguage::chinese
        && m_translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(&m_translator);
}
