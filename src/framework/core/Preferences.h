#pragma once

#include <QString>

// The player's preferences as held for the whole run (section "Preferences").
// Colours are 0x00BBGGRR integers, as stored in the settings file.
struct TPreferences {
    static constexpr int DarkGreen = 16384;

    int BackIndex = 0;       // 0-2 built-in backs, 3 the custom image
    int CardSize = 1;        // 0 small, 1 large
    int BackgroundIndex = 0; // 0 solid colour, 1 gradient colours, 2 tiled image
    int GradientIndex = 0;   // 0 vertical, 1 horizontal
    int BackgroundColor = DarkGreen;
    int GradientStartColor = DarkGreen;
    int GradientEndColor = 0;
    bool DoAnimation = true;
    bool DoSound = true;
    bool VegasScoring = false;
    bool MinimizeToTray = false;
    bool SmartDragging = true;
    bool ShowTips = true;
    // The game windows' menu bar and status line, with Redo, numbered deals and keyboard play.
    bool ShowMenuBar = true;
    QString CustomColors;
    QString CustomImage;
    QString BackgroundImage;
};
