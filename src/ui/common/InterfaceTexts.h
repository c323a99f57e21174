#pragma once

#include "core/AppLanguage.h"

#include <QObject>
#include <QString>

class AppController;
class QJSEngine;
class QQmlEngine;

// The texts of the views in the current language. A binding that calls L() or text() is re-evaluated
// when the language changes, as if it had read the controller's language itself.
class InterfaceTexts : public QObject
{
    Q_OBJECT

public:
    InterfaceTexts(AppController &controller, QQmlEngine &engine, QObject *parent = nullptr);
    // Over the controller that the views show (ControllerSingleton).
    static InterfaceTexts *create(QQmlEngine *engine, QJSEngine *);

    // The Chinese or the English text of a pair.
    Q_INVOKABLE QString L(const QString &chinese, const QString &english) const;
    // The text of a pair in the given language ("chinese" or "english"), for a view that previews a
    // language not yet saved. Any other language shows the Chinese text.
    Q_INVOKABLE QString L(const QString &chinese, const QString &english, const QString &language) const;
    // The text of a localisation key.
    Q_INVOKABLE QString text(const QString &key) const;
    // The text of a localisation key in the given language ("chinese" or "english"), for a view that
    // previews a language not yet saved. Any other language shows the key.
    Q_INVOKABLE QString text(const QString &key, const QString &language) const;
    // The name of a control that each row or list has one of, followed by what it belongs to ("Delete Item,
    // Stretch"), so that a screen reader tells them apart; without a subject, the name alone.
    Q_INVOKABLE QString named(const QString &name, const QString &subject, const QString &language) const;

private:
    AppLanguage currentLanguage() const;

    AppController &m_controller;
    QQmlEngine &m_engine;
};
