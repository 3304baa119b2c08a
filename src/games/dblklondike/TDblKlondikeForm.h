#pragma once

#include "games/klondike/TKlondikeForm.h"

// Double Klondike: Klondike with two decks, nine columns and eight
// foundations that keep their cards. In Draw One the waste can be turned
// over only once per game; there is no Vegas scoring.
class TDblKlondikeForm : public TKlondikeForm {
    Q_OBJECT

public:
    explicit TDblKlondikeForm(TAppContext& context, QWidget* parent = nullptr);

protected:
    TDblKlondikeForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    static const TGameLayout& LargeLayout();

    // After a win the table is empty, so a press there has nothing to act on.
    bool StopsAfterWin() const override { return false; }
    bool RecycleAllowed() const override;
    // Drawing one card at a time, the solver almost never decides a deal of two decks.
    bool SolverDecidesDeals() const override { return DrawCount() == 3; }
};
