#pragma once

#include "games/fortythieves/TFortyThievesForm.h"

// Forty Thieves with small cards.
class TsFortyThievesForm : public TFortyThievesForm {
    Q_OBJECT

public:
    explicit TsFortyThievesForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
