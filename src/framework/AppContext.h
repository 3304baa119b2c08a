#pragma once

#include "framework/core/Preferences.h"

#include <QImage>
#include <cstdint>
#include <functional>
#include <optional>

class QWidget;
class TGameForm;
class TSoundManager;

// What a game window needs from the rest of the program. The shell fills it
// in at start-up; tests fill it with their own answers. Game windows never
// reach the shell's windows directly.
struct TAppContext {
    TSoundManager* Sound = nullptr;
    // The current preferences and the tiled background picture (null image when none).
    std::function<const TPreferences&()> Prefs;
    std::function<QImage()> BackgroundPicture;
    // Modal windows of the shell.
    std::function<void(QWidget* parent)> ShowPreferences;
    std::function<void(QWidget* parent)> ShowStatistics;
    // The win window: returns its answer (WinOk, WinNewGame or WinShowStatistics).
    std::function<int(QWidget* parent)> ShowWinWindow;
    std::function<void(QWidget* parent, int context)> ShowHelp;
    // The help's contents page and the information box about the program.
    std::function<void(QWidget* parent)> ShowHelpContents;
    std::function<void(QWidget* parent)> ShowAbout;
    // The application's minimize (the tray preference applies there).
    std::function<void()> MinimizeApp;
    // The selector's game-window-closed flag and its reference to the open window.
    std::function<void(bool mayClose)> SetGameWindowClosed;
    std::function<void(TGameForm* window)> GameWindowDestroyed;

    // The number of the deal the next game window deals first (taken by that window); none:
    // a deal from the random sequence as it stands.
    std::optional<std::uint32_t> NextDeal;

    enum WinAnswer { WinOk = 0, WinNewGame = 1, WinShowStatistics = 2 };

    const TPreferences& CurrentPrefs() const {
        static const TPreferences defaults;
        return Prefs ? Prefs() : defaults;
    }
};
