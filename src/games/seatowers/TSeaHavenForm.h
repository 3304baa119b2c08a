#pragma once

#include "games/freecells/TCellGameForm.h"

// Sea Towers: fifty cards face up in ten columns of five and two in the free
// cells; columns are built down in suit, an empty column takes only a King
// (alone or heading a run), and runs are as long as the empty cells allow.
class TSeaHavenForm : public TCellGameForm {
    Q_OBJECT

public:
    explicit TSeaHavenForm(TAppContext& context, QWidget* parent = nullptr);

protected:
    TSeaHavenForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    bool Builds(const TCard* lower, const TCard* upper) const override;
    int RunLimit() const override { return EmptyFreeCells() + 1; }
    bool EmptyColumnTakes(const TCardPile& group) const override;

private:
    static const TGameLayout& LargeLayout();
};
