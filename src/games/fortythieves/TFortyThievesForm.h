#pragma once

#include "games/fortythieves/TFTPeekDlg.h"
#include "games/tencolumns/TTenColumnForm.h"

#include <QPointer>

// Forty Thieves: forty cards face up in ten columns of four, built down in
// suit one card at a time; any card fills an empty column. A peek window
// shows the stock's next card.
class TFortyThievesForm : public TTenColumnForm {
    Q_OBJECT

public:
    explicit TFortyThievesForm(TAppContext& context, QWidget* parent = nullptr);

    // Shows the peek window (made at the first call) on the stock's next card.
    void Peek1Click();
    TFTPeekDlg* PeekWindow() const { return m_peek; }

protected:
    TFortyThievesForm(TAppContext& context, bool small, const TGameLayout& layout, QWidget* parent);

    void Deal(bool newGame, bool quiet) override;
    bool SolverDecidesDeals() const override { return false; }
    bool ColumnTakes(const TCardPileView* column, const TCard* card) const override;
    void StockChanged() override;
    void AfterPreferences() override;
    void closeEvent(QCloseEvent* event) override;

private:
    static const TGameLayout& LargeLayout();

    QPointer<TFTPeekDlg> m_peek;
};
