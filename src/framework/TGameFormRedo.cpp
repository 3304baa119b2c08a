// Redo for every game: each Undo command first takes a picture of the whole
// table and of what the game keeps besides, and Redo puts that picture back.
// So Redo gives back exactly what the Undo took (turn-ups, refills, paired
// records, a game's counters) without any game knowing how to replay a move.

#include "framework/TGameForm.h"

#include "cards/TCard.h"
#include "framework/KeyboardPlay.h"
#include "framework/TSoundManager.h"

#include <QAction>
#include <QLabel>

TGameForm::TTableState TGameForm::CaptureTable() const {
    TTableState state;
    for (const TCardPileView* view : m_viewOrder)
        state.Views.append({view->Pile.Cards, !view->isHidden(), view->AllowDrag, view->State, view->Hint(),
                            view->ShowHint()});
    for (TCardPile* pile : const_cast<TGameForm*>(this)->ExtraPiles())
        state.Extra.append(pile->Cards);
    for (const TCard* card : m_savedDeal.Cards)
        state.Faces.append(card->FaceUp);
    for (const TLabelSpec& spec : m_layout.Labels)
        if (const QLabel* label = m_labels.value(QString::fromUtf8(spec.Name)))
            state.Labels.append({label->text(), !label->isHidden()});
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it)
        state.ItemsEnabled.insert(it.key(), it.value()->isEnabled());
    if (windowTitle() != CaptionText())
        state.CaptionBehind = windowTitle();
    state.MoveCount = m_moveCount;
    state.GameOver = m_gameOver;
    state.Records = m_undo.Records(0);
    state.Actions = m_actions;
    state.MarkedRecords = m_markedRecords;
    state.Game = SaveGameState();
    return state;
}

QList<quintptr> TGameForm::TableFingerprint() const {
    QList<quintptr> print;
    const auto add = [&print](const QList<TCard*>& cards) {
        // A card object is aligned, so its address leaves the lowest bit for the face.
        for (const TCard* card : cards)
            print.append(reinterpret_cast<quintptr>(card) | (card->FaceUp ? 1u : 0u));
        print.append(0); // the end of one pile
    };
    for (const TCardPileView* view : m_viewOrder)
        add(view->Pile.Cards);
    for (TCardPile* pile : const_cast<TGameForm*>(this)->ExtraPiles())
        add(pile->Cards);
    return print;
}

void TGameForm::RestoreViewStates(const TTableState& state) {
    for (int i = 0; i < m_viewOrder.size() && i < state.Views.size(); ++i) {
        TCardPileView* view = m_viewOrder[i];
        const TTableState::TView& saved = state.Views[i];
        view->AllowDrag = saved.AllowDrag;
        view->State = saved.State;
        view->SetHint(saved.Hint);
        view->SetShowHint(saved.ShowHint);
        view->setVisible(saved.Visible);
        view->update();
    }
}

void TGameForm::RestoreTable(const TTableState& state) {
    for (int i = 0; i < m_viewOrder.size() && i < state.Views.size(); ++i)
        m_viewOrder[i]->Pile.Cards = state.Views[i].Cards;
    RestoreViewStates(state);
    const QList<TCardPile*> extra = ExtraPiles();
    for (int i = 0; i < extra.size() && i < state.Extra.size(); ++i)
        extra[i]->Cards = state.Extra[i];
    for (int i = 0; i < m_savedDeal.size() && i < state.Faces.size(); ++i)
        m_savedDeal.Cards[i]->FaceUp = state.Faces[i];
    int label = 0;
    for (const TLabelSpec& spec : m_layout.Labels) {
        QLabel* shown = m_labels.value(QString::fromUtf8(spec.Name));
        if (!shown || label >= state.Labels.size())
            continue;
        const auto& [text, visible] = state.Labels[label++];
        if (shown->text() != text) {
            shown->setText(text);
            shown->adjustSize();
        }
        shown->setVisible(visible);
    }
    // The Undo kept the older records as they were: only those it took come back.
    m_undo.Restore(state.Records);
    m_actions = state.Actions;
    m_markedRecords = state.MarkedRecords;
    m_moveCount = state.MoveCount;
    m_gameOver = state.GameOver;
    RestoreGameState(state.Game);
    for (auto it = state.ItemsEnabled.cbegin(); it != state.ItemsEnabled.cend(); ++it)
        if (QAction* item = m_items.value(it.key()); item && it.key() != QLatin1String("Redo1"))
            item->setEnabled(it.value());
}

void TGameForm::UndoCommand() {
    // Cards held by keyboard play go home first; a mouse drag is the game's to answer.
    m_keyboard->Cancel();
    TTableState before = CaptureTable();
    const QList<quintptr> printBefore = TableFingerprint();
    const int recordsBefore = m_undo.Count();
    const int movesBefore = m_moveCount;
    m_inUndo = true;
    Undo1Click();
    m_inUndo = false;
    const QList<quintptr> after = TableFingerprint();
    // An Undo refused (cards in the air, nothing to take back) gives Redo nothing.
    if (m_undo.Count() == recordsBefore && m_moveCount == movesBefore && after == printBefore)
        return;
    // The records the Undo kept are still the window's own; only the ones it took are kept here.
    before.KeptRecords = m_undo.Count();
    before.Records = before.Records.mid(before.KeptRecords);
    m_redo.push_back({std::move(before), after});
    RefreshRedoItem();
}

void TGameForm::Redo1Click() {
    if (m_redo.empty() || m_gameOver)
        return;
    // A table changed since the Undo by anything but a new action (which clears Redo) is not
    // the table the step was taken from: Redo stays out of it.
    if (TableFingerprint() != m_redo.back().After || m_undo.Count() != m_redo.back().Before.KeptRecords) {
        ClearRedo();
        return;
    }
    const TRedoStep step = std::move(m_redo.back());
    m_redo.pop_back();
    RestoreTable(step.Before);
    // The game's own displays (a peek window) follow the table as after an Undo; the views keep
    // what they showed, even where that had not caught up with the table.
    AfterUndo();
    RestoreViewStates(step.Before);
    // As loud as the Undo of the action it gives back.
    if (Sound() && !(m_actions.isEmpty() || m_actions.last().quiet))
        Sound()->PlayUndo();
    RefreshCaption();
    if (step.Before.CaptionBehind)
        setWindowTitle(*step.Before.CaptionBehind);
    RefreshRedoItem();
}

void TGameForm::ClearRedo() {
    if (m_redo.empty())
        return;
    m_redo.clear();
    RefreshRedoItem();
}

void TGameForm::RefreshRedoItem() {
    if (QAction* redo = Item(QStringLiteral("Redo1")))
        redo->setEnabled(!m_redo.empty() && !m_gameOver);
}
