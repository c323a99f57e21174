#include "ui/common/InterfaceTexts.h"

#include "app/AppController.h"
#include "core/StringTable.h"
#include "ui/common/ControllerSingleton.h"

#include <QMetaProperty>
#include <QQmlEngine>

InterfaceTexts::InterfaceTexts(AppController &controller, QQmlEngine &engine, QObject *parent)
    : QObject(parent)
    , m_controller(controller)
    , m_engine(engine)
{ }

InterfaceTexts *InterfaceTexts::create(QQmlEngine *engine, QJSEngine *)
{
    return new InterfaceTexts(ControllerSingleton::controller(), *engine);
}

QString InterfaceTexts::L(const QString &chinese, const QString &english) const
{
    return localized(currentLanguage(), chinese, english);
}

QString InterfaceTexts::L(const QString &chinese, const QString &english, const QString &language) const
{
    return localized(fromRawValue<AppLanguage>(language).value_or(AppLanguage::chinese), chinese, english);
}

QString InterfaceTexts::text(const QString &key) const
{
    return StringTable::text(key, currentLanguage());
}

QString InterfaceTexts::text(const QString &key, const QString &language) const
{
    return StringTable::text(key, fromRawValue<AppLanguage>(language).value_or(AppLanguage::chinese));
}

QString InterfaceTexts::named(const QString &name, const QString &subject, const QString &language) const
{
    const QString trimmed = subject.trimmed();
    return trimmed.isEmpty() ? name : name + text(QStringLiteral("，"), language) + trimmed;
}

AppLanguage InterfaceTexts::currentLanguage() const
{
    // Tell the binding being evaluated, if any, that it depends on the language.
    static const QMetaProperty english = AppController::staticMetaObject.property(
        AppController::staticMetaObject.indexOfProperty("english"));
    m_engine.captureProperty(&m_controller, english);
    return m_controller.language();
}
