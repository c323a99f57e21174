#pragma once

#include "app/Appearance.h"
#include "app/BreakWheel.h"
#include "app/Console.h"
#include "app/ConsoleDragHandlePresentation.h"
#include "app/FocusConsoleDocking.h"
#include "app/FocusConsolePresentation.h"
#include "app/HeaderPresentation.h"
#include "app/Journal.h"
#include "app/Music.h"
#include "app/Round.h"
#include "app/RoundCompletePresentation.h"
#include "app/Sheets.h"
#include "app/Window.h"
#include "core/SessionPhase.h"
#include "core/Tones.h"
#include "media/VideoStartWatchdog.h"
#include "network/UpdateController.h"
#include "ui/common/BackgroundMediaTypes.h"
#include "ui/common/FigureTable.h"
#include "ui/common/InterfaceFonts.h"
#include "ui/common/InterfaceTexts.h"
#include "ui/common/ViewPlacement.h"

#include <QtQml/qqml.h>

// Every type this module's QML uses (by name, or only through a property it reads), its own and those of
// the layers below, is declared to the module here, where the type registration and the QML tools read
// it: the classes keep no QML macros of their own. The controller's singleton, made over the one
// controller, is declared with its factory in ControllerSingleton.h.

namespace ForeignSessionPhase {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(SessionPhases)
QML_NAMED_ELEMENT(SessionPhase)
} // namespace ForeignSessionPhase

struct ForeignTones
{
    Q_GADGET
    QML_FOREIGN(Tones)
    QML_NAMED_ELEMENT(Tones)
    QML_SINGLETON
};

struct ForeignVideoStartWatchdog
{
    Q_GADGET
    QML_FOREIGN(VideoStartWatchdog)
    QML_NAMED_ELEMENT(VideoStartWatchdog)
};

struct ForeignFocusConsoleDocking
{
    Q_GADGET
    QML_FOREIGN(FocusConsoleDocking)
    QML_ANONYMOUS
};

struct ForeignJournal
{
    Q_GADGET
    QML_FOREIGN(Journal)
    QML_ANONYMOUS
};

struct ForeignMusic
{
    Q_GADGET
    QML_FOREIGN(Music)
    QML_ANONYMOUS
};

struct ForeignAppearance
{
    Q_GADGET
    QML_FOREIGN(Appearance)
    QML_ANONYMOUS
};

struct ForeignConsole
{
    Q_GADGET
    QML_FOREIGN(Console)
    QML_ANONYMOUS
};

struct ForeignSheets
{
    Q_GADGET
    QML_FOREIGN(Sheets)
    QML_NAMED_ELEMENT(Sheets)
    QML_UNCREATABLE("The controller owns the sheets.")
};

struct ForeignBreakWheel
{
    Q_GADGET
    QML_FOREIGN(BreakWheel)
    QML_ANONYMOUS
};

struct ForeignRound
{
    Q_GADGET
    QML_FOREIGN(Round)
    QML_ANONYMOUS
};

struct ForeignWindow
{
    Q_GADGET
    QML_FOREIGN(Window)
    QML_ANONYMOUS
};

struct ForeignConsoleDragHandlePresentation
{
    Q_GADGET
    QML_FOREIGN(ConsoleDragHandlePresentation)
    QML_ANONYMOUS
};

struct ForeignFocusConsolePresentation
{
    Q_GADGET
    QML_FOREIGN(FocusConsolePresentation)
    QML_ANONYMOUS
};

struct ForeignHeaderPresentation
{
    Q_GADGET
    QML_FOREIGN(HeaderPresentation)
    QML_ANONYMOUS
};

struct ForeignRoundCompletePresentation
{
    Q_GADGET
    QML_FOREIGN(RoundCompletePresentation)
    QML_ANONYMOUS
};

struct ForeignUpdateController
{
    Q_GADGET
    QML_FOREIGN(UpdateController)
    QML_NAMED_ELEMENT(UpdateController)
    QML_UNCREATABLE("The controller owns the one update controller.")
};

struct ForeignBackgroundMediaTypes
{
    Q_GADGET
    QML_FOREIGN(BackgroundMediaTypes)
    QML_NAMED_ELEMENT(MediaTypes)
    QML_SINGLETON
};

struct ForeignInterfaceFonts
{
    Q_GADGET
    QML_FOREIGN(InterfaceFonts)
    QML_NAMED_ELEMENT(Fonts)
    QML_SINGLETON
};

struct ForeignInterfaceTexts
{
    Q_GADGET
    QML_FOREIGN(InterfaceTexts)
    QML_NAMED_ELEMENT(Texts)
    QML_SINGLETON
};

struct ForeignViewPlacement
{
    Q_GADGET
    QML_FOREIGN(ViewPlacement)
    QML_NAMED_ELEMENT(Placement)
    QML_SINGLETON
};

struct ForeignFigureTable
{
    Q_GADGET
    QML_FOREIGN(FigureTable)
    QML_NAMED_ELEMENT(FigureTable)
};
