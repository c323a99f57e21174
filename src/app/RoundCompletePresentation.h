#pragma once

#include "core/AppLanguage.h"
#include "core/KeyboardGrabBackend.h"

#include <QObject>
#include <QString>

// The texts and symbols of the round-complete screen in the interface language.
struct RoundCompletePresentation
{
    Q_GADGET
    Q_PROPERTY(QString title MEMBER title CONSTANT FINAL)
    Q_PROPERTY(QString notesHeading MEMBER notesHeading CONSTANT FINAL)
    Q_PROPERTY(QString notesPlaceholder MEMBER notesPlaceholder CONSTANT FINAL)
    Q_PROPERTY(QString breakTitle MEMBER breakTitle CONSTANT FINAL)
    Q_PROPERTY(QString breakSymbol MEMBER breakSymbol CONSTANT FINAL)
    Q_PROPERTY(QString hint MEMBER hint CONSTANT FINAL)
    Q_PROPERTY(QString hintSymbol MEMBER hintSymbol CONSTANT FINAL)

public:
    // The button that starts the break names what the break will hold of the keyboard.
    static RoundCompletePresentation make(AppLanguage language, KeyboardHold hold);

    QString title;
    // Also the notes editor's accessible name.
    QString notesHeading;
    QString notesPlaceholder;
    QString breakTitle;
    QString breakSymbol;
    QString hint;
    QString hintSymbol;

    friend bool operator==(const RoundCompletePresentation &, const RoundCompletePresentation &) = default;
};
