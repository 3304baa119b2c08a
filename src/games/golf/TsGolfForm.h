#pragma once

#include "games/golf/TGolfForm.h"

// Golf with small cards.
class TsGolfForm : public TGolfForm {
    Q_OBJECT

public:
    explicit TsGolfForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
