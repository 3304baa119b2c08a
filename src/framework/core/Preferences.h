#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

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

    bool operator==(const TPreferences&) const = default;
};

// Section "Preferences" of the settings file.
namespace Preferences {

inline constexpr char Section[] = "Preferences";

struct TStored {
    TPreferences Values;      // every value within its range; absent or damaged keys at their defaults
    bool HasCardSize = false; // "CardSize" is there (else the screen decides)
    // The three texts as stored (also in Values, empty when absent); an empty path that is
    // there is still a path to look for.
    std::optional<QString> CustomColors;
    std::optional<QString> CustomImage;
    std::optional<QString> BackgroundImage;
};
TStored Read(const QString& fileName);

// The keys the preferences dialog writes when it closes, in that order, with their texts.
QList<QPair<QString, QString>> ClosingTexts(const TPreferences& prefs);

// Writes back what closing the dialog changed, in one locked replacement of the file as it is
// now: the keys whose text differs between `opened` and `closing`, and the keys of
// ClosingTexts the file does not have yet ("ShowMenuBar" only when changed). A key the player left alone
// keeps what the file holds, which another running program may have saved meanwhile. False when the file
// could not be written.
bool WriteBack(const QString& fileName, const TPreferences& opened, const TPreferences& closing);

} // namespace Preferences
