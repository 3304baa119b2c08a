#pragma once

#include "games/freecell/TFreeCellForm.h"

// Free Cell with small cards.
class TsFreeCellForm : public TFreeCellForm {
    Q_OBJECT

public:
    explicit TsFreeCellForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
