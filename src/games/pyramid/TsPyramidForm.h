#pragma once

#include "games/pyramid/TPyramidForm.h"

// Pyramid with small cards.
class TsPyramidForm : public TPyramidForm {
    Q_OBJECT

public:
    explicit TsPyramidForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
