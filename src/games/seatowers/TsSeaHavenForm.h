#pragma once

#include "games/seatowers/TSeaHavenForm.h"

// Sea Towers with small cards.
class TsSeaHavenForm : public TSeaHavenForm {
    Q_OBJECT

public:
    explicit TsSeaHavenForm(TAppContext& context, QWidget* parent = nullptr);

private:
    static const TGameLayout& SmallLayout();
};
