#pragma once

#include "core/AccessibilityTrust.h"
#include "core/Clock.h"
#include "core/FilePicker.h"
#include "core/InputActivityBackend.h"
#include "core/KeyboardGrabBackend.h"
#include "core/OneShotTimer.h"
#include "core/QuitQuestion.h"
#include "core/RandomSource.h"
#include "core/RoundEndNotice.h"
#include "core/SystemBeep.h"
#include "core/TrackPlayer.h"
#include "core/WindowControl.h"
#include "core/WindowSystem.h"
#include "core/Workspace.h"
#include "network/DeveloperCornerConfig.h"

#include <QString>
#include <memory>

// Everything the controller needs from the operating system. main() gives the real ones; tests give fakes.
struct AppControllerSeams
{
    // The folder that holds the application folder "Quorvane".
    QString applicationSupportRoot;
    // The update feed; empty: no update checks.
    QString updateFeedAddress;
    // Delays the update check that the settings sheet asks for; null: a Qt timer.
    std::unique_ptr<OneShotTimer> updateCheckDelay;
    // The maker's web service; no base address: feedback and donations fail at once.
    DeveloperCornerConfig developerCorner;
    std::unique_ptr<Clock> clock;
    // The wheel's roll.
    std::unique_ptr<RandomSource> wheelRandom;
    // The music's shuffle.
    std::unique_ptr<RandomSource> shuffleRandom;
    std::unique_ptr<AccessibilityTrust> trust;
    std::unique_ptr<InputActivityBackend> globalActivity;
    std::unique_ptr<InputActivityBackend> localActivity;
    std::unique_ptr<KeyboardGrabBackend> keyboardGrab;
    TrackPlayerFactory trackPlayers;
    std::unique_ptr<SystemBeep> beep;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<WindowControl> window;
    // Where the window cannot come forward by itself, what tells the user that a round has ended; null:
    // the window does.
    std::unique_ptr<RoundEndNotice> roundEndNotice;
    // The open-file dialog of the media imports.
    std::unique_ptr<FilePicker> filePicker;
    WindowSystem windowSystem = WindowSystem::x11;
    // The desktop asked for less motion, as far as known when the controller is made: the wheel then turns
    // briefly. The desktop's own answer comes later, through the appearance.
    bool reduceMotion = false;
    // The wait between the start of the console's snap and the change of its stored side.
    std::unique_ptr<OneShotTimer> consoleDockTimer;
    // The wait after a volume drag before the volume is written; null: a Qt timer.
    std::unique_ptr<OneShotTimer> volumeSaveDelay;
    // Asked before a quit would lose what waits for the disk; null: the quit goes ahead.
    std::unique_ptr<QuitQuestion> quitQuestion;
};
