#pragma once

#include "games/indian/TIndianPatienceForm.h"

// Indian Patience with small cards.
class TsIndianPatienceForm : public TIndianPatienceForm {
    Q_OBJECT

public:
    explicit TsIndianPatienceForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
