#pragma once

#include "games/dblklondike/TDblKlondikeForm.h"

// Double Klondike with small cards.
class TsDblKlondikeForm : public TDblKlondikeForm {
    Q_OBJECT

public:
    explicit TsDblKlondikeForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
