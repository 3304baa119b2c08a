#pragma once

#include "games/queenitaly/TQueenItalyForm.h"

// Queen of Italy with small cards.
class TsQueenItalyForm : public TQueenItalyForm {
    Q_OBJECT

public:
    explicit TsQueenItalyForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
