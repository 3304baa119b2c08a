#pragma once

#include "games/montana/TMontanaForm.h"

// Montana with small cards.
class TsMontanaForm : public TMontanaForm {
    Q_OBJECT

public:
    explicit TsMontanaForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
