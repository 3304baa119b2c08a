#pragma once

#include "games/spider/TSpiderForm.h"

// Spider with small cards.
class TsSpiderForm : public TSpiderForm {
    Q_OBJECT

public:
    explicit TsSpiderForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
