#pragma once

#include "games/klondike/TKlondikeForm.h"

// Klondike with small cards.
class TsKlondikeForm : public TKlondikeForm {
    Q_OBJECT

public:
    explicit TsKlondikeForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
