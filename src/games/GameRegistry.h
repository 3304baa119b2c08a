#pragma once

#include <functional>

class QWidget;
class TGameForm;
struct TAppContext;

// How to create each game's large-card and small-card window, by the game's
// index in the game table. A game not in this build has empty factories.
struct TGameFactory {
    std::function<TGameForm*(TAppContext& context, QWidget* parent)> Large;
    std::function<TGameForm*(TAppContext& context, QWidget* parent)> Small;
    bool Available() const { return Large && Small; }
};

const TGameFactory& GameFactory(int gameIndex);
