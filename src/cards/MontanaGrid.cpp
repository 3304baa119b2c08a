#include "cards/MontanaGrid.h"

#include "cards/TCardPile.h"

namespace Montana {
namespace {

bool Follows(const TCard* lower, const TCard* upper) {
    return lower && upper && lower->Suit == upper->Suit && lower->Value + 1 == upper->Value;
}

std::optional<TPos> Find(const TGrid& grid, const std::function<bool(const TCard*)>& match) {
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c)
            if (grid[r][c] && match(grid[r][c]))
                return TPos{r, c};
    return std::nullopt;
}

} // namespace

bool Fits(const TGrid& grid, TPos gap, const TCard* card) {
    if (!card || At(grid, gap))
        return false;
    if (gap.Column == 0)
        return card->Value == FS_TWO;
    // A King has no follower, so Follows never lets anything sit right of one.
    return Follows(grid[gap.Row][gap.Column - 1], card);
}

std::optional<TPos> GapFor(const TGrid& grid, TPos at) {
    const TCard* card = At(grid, at);
    if (!card || card->Value == FS_ACE)
        return std::nullopt;
    if (card->Value == FS_TWO) {
        for (int r = 0; r < Rows; ++r)
            if (!grid[r][0])
                return TPos{r, 0};
        return std::nullopt;
    }
    for (int c = 1; c < Columns; ++c)
        for (int r = 0; r < Rows; ++r)
            if (!grid[r][c] && Follows(grid[r][c - 1], card))
                return TPos{r, c};
    return std::nullopt;
}

std::optional<TPos> CardFor(const TGrid& grid, TPos gap) {
    if (At(grid, gap))
        return std::nullopt;
    if (gap.Column == 0) {
        const TCard* right = grid[gap.Row][1];
        if (right && right->Value == FS_THREE)
            return Find(grid,
                        [right](const TCard* c) { return c->Value == FS_TWO && c->Suit == right->Suit; });
        for (int r = 0; r < Rows; ++r)
            for (int c = 1; c < Columns; ++c)
                if (grid[r][c] && grid[r][c]->Value == FS_TWO)
                    return TPos{r, c};
        return std::nullopt;
    }
    const TCard* left = grid[gap.Row][gap.Column - 1];
    if (!left || left->Value == FS_KING)
        return std::nullopt;
    return Find(grid, [left](const TCard* c) { return Follows(left, c); });
}

bool AfterKing(const TGrid& grid, TPos gap) {
    const TCard* left = gap.Column > 0 ? grid[gap.Row][gap.Column - 1] : nullptr;
    return left && left->Value == FS_KING;
}

TRowPlan PlanRow(const TGrid& grid, int row) {
    const auto& cards = grid[row];
    if (!cards[0] || cards[0]->Value != FS_TWO)
        return {0, 0, false};
    int run = 1;
    while (run < Columns - 1 && Follows(cards[run - 1], cards[run]))
        ++run;
    // A lone 2 before a gap gives the gap up to the refill; a longer run, or a 2 before a card that
    // does not follow it, keeps the place after it empty.
    if (run == 1 && !cards[1])
        return {1, 1, false};
    return {run, run + 1, true};
}

int Score(const TGrid& grid) {
    int score = 0;
    for (int r = 0; r < Rows; ++r)
        score += PlanRow(grid, r).Kept;
    return score;
}

void ShuffleRemaining(TGrid& grid, TCardPile& aside, const TRedealSteps& steps) {
    std::array<TRowPlan, Rows> plans;
    TCardPile gathered;
    for (int r = 0; r < Rows; ++r) {
        plans[r] = PlanRow(grid, r);
        for (int c = plans[r].Kept; c < Columns; ++c) {
            if (grid[r][c])
                gathered.AddCard(grid[r][c]);
            grid[r][c] = nullptr;
        }
    }
    gathered.AddPile(aside);
    aside.Empty(false);
    gathered.Shuffle();
    if (steps.Shuffled)
        steps.Shuffled();

    const auto takeTop = [&gathered]() -> TCard* {
        TCard* card = gathered.Top();
        if (card)
            gathered.RemoveCard(card);
        return card;
    };
    for (int r = 0; r < Rows; ++r) {
        for (int c = plans[r].RefillFrom; c < Columns; ++c) {
            grid[r][c] = takeTop();
            if (steps.Placed)
                steps.Placed({r, c});
        }
        if (steps.RowFilled)
            steps.RowFilled(r);
    }
    for (int r = 0; r < Rows; ++r) {
        for (int c = plans[r].RefillFrom; c < Columns; ++c) {
            bool changed = false;
            while (grid[r][c] && grid[r][c]->Value == FS_ACE) {
                aside.AddCard(grid[r][c]);
                grid[r][c] = takeTop();
                changed = true;
            }
            if (changed && steps.Placed)
                steps.Placed({r, c});
        }
    }
    // Each row that keeps its gap dealt one card fewer than it gave up: what is left is Aces.
    while (TCard* card = takeTop())
        aside.AddCard(card);
}

} // namespace Montana
