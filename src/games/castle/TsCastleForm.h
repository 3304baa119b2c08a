#pragma once

#include "games/castle/TCastleForm.h"

// Beleaguered Castle with small cards.
class TsCastleForm : public TCastleForm {
    Q_OBJECT

public:
    explicit TsCastleForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
