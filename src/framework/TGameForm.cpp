#include "framework/TGameForm.h"

#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/KeyboardPlay.h"
#include "framework/Messages.h"
#include "framework/SolverLink.h"
#include "framework/TSoundManager.h"
#include "framework/TzBackground.h"
#include "framework/core/Statistics.h"
#include "framework/core/WindowPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWindowStateChangeEvent>

namespace {

// Frame and caption around the client area, which the layouts' tracking
// sizes include.
constexpr int NonClientHeight = 31;

QColor FromBgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace

TGameForm::TGameForm(TAppContext& context, int gameIndex, bool small, const TGameLayout& layout,
                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context), m_gameIndex(gameIndex), m_small(small),
      m_layout(layout) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(Info().GameName));
    // The table carries the table colour, so that a menu bar and status line keep their own.
    m_table = new QWidget(this);
    m_table->setObjectName(QStringLiteral("Table"));
    m_table->setAutoFillBackground(true);
    QPalette pal = m_table->palette();
    pal.setColor(QPalette::Window, FromBgr(TPreferences::DarkGreen));
    m_table->setPalette(pal);

    m_profile.SetFileName(QStringLiteral("Solitaire.ini"));
    m_profile.SetSection(QString::fromUtf8(Info().Section));
    m_profile.SetDefaultText(QStringLiteral("None"));

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    m_background = new TzBackground(m_table);

    BuildViews();
    ApplySizeLimits(false);
    resize(m_layout.ClientWidth, m_layout.ClientHeight);
    m_table->setGeometry(0, 0, m_layout.ClientWidth, m_layout.ClientHeight);
}

TGameForm::~TGameForm() {
    // The views only ever borrow cards: release the last deal's cards once,
    // through the saved deal that holds every one of them.
    EmptyTable(true);
    if (m_context.GameWindowDestroyed)
        m_context.GameWindowDestroyed(this);
}

void TGameForm::BuildViews() {
    for (const TPileSpec& spec : m_layout.Piles) {
        auto* view = new TCardPileView(m_table);
        const QString& name = spec.Name;
        view->setObjectName(name);
        view->setGeometry(spec.Left, spec.Top, spec.Width, spec.Height);
        view->XOffset = spec.XOffset;
        view->YOffset = spec.YOffset;
        view->State = spec.State;
        view->IsBordered = spec.IsBordered;
        view->AllowDrag = spec.AllowDrag;
        if (spec.Role == TPileRole::Hidden)
            view->hide();
        m_views.insert(name, view);
        m_viewOrder.append(view);
        m_roles.insert(view, spec.Role);
        switch (spec.Role) {
        case TPileRole::Tableau:
            m_tableau.append(view);
            break;
        case TPileRole::Foundation:
            m_foundations.append(view);
            break;
        case TPileRole::FreeCell:
            m_freeCells.append(view);
            break;
        default:
            break;
        }
        BindStandardHandlers(view, spec.Role);
    }
    for (const TLabelSpec& spec : m_layout.Labels) {
        auto* label = new QLabel(QString::fromUtf8(spec.Text), m_table);
        label->setObjectName(QString::fromUtf8(spec.Name));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(spec.PixelHeight);
        font.setItalic(spec.Italic);
        label->setFont(font);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->move(spec.Left, spec.Top);
        label->adjustSize();
        m_labels.insert(label->objectName(), label);
    }
    m_arraysFilled = true;
}

QList<TCardPileView*> TGameForm::ViewRow(const QString& prefix, int count) const {
    QList<TCardPileView*> row;
    for (int i = 1; i <= count; ++i)
        row.append(View(prefix + QString::number(i)));
    return row;
}

void TGameForm::MakeFoundationsPassive() {
    for (TCardPileView* foundation : m_foundations) {
        foundation->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers, int,
                                         int) { FormMouseDown(v, b); };
        foundation->OnStartDrag = nullptr;
        foundation->OnEndDrag = nullptr;
        foundation->OnDblClick = nullptr;
        foundation->AllowDrag = false;
    }
}

void TGameForm::Unbind(TCardPileView* view) {
    view->OnMouseDown = nullptr;
    view->OnClick = nullptr;
    view->OnDblClick = nullptr;
    view->OnStartDrag = nullptr;
    view->OnDragOver = nullptr;
    view->OnDragDrop = nullptr;
    view->OnEndDrag = nullptr;
}

void TGameForm::BindStandardHandlers(TCardPileView* view, TPileRole role) {
    switch (role) {
    case TPileRole::Stock:
        view->OnClick = [this](TCardPileView*) { StockAction(); };
        view->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
            FormMouseDown(v, b);
        };
        view->OnDragOver = [this](QWidget* s, TCardPileView* src) { return DragOver(s, src); };
        break;
    case TPileRole::Waste:
    case TPileRole::Tableau:
    case TPileRole::Foundation:
    case TPileRole::FreeCell:
        view->OnMouseDown = [this](TCardPileView* v, Qt::MouseButton b, Qt::KeyboardModifiers m, int, int) {
            StandardMouseDown(v, b, m);
        };
        view->OnStartDrag = [this](TCardPileView* v) { StartDrag(v); };
        view->OnEndDrag = [this](TCardPileView* v) { EndDrag(v); };
        if (role == TPileRole::Waste)
            view->OnDragOver = [this](QWidget* s, TCardPileView* src) { return DragOver(s, src); };
        else
            view->OnDragOver = [this](QWidget* s, TCardPileView* src) { return ViewDragOver(s, src); };
        if (role != TPileRole::Foundation)
            view->OnDblClick = [this](TCardPileView* v) { DoubleClickAction(v); };
        break;
    case TPileRole::Hidden:
    case TPileRole::Other:
        break;
    }
}

void TGameForm::Initialize() {
    ApplyBackground();
    m_undo.SetUndoItem(Item(QStringLiteral("Undo1")));
    if (QAction* undo = Item(QStringLiteral("Undo1")))
        undo->setEnabled(false);
    m_keyboard = new TKeyboardPlay(this);
    m_solver = new TSolverLink(this);
    AddBarItems();
    ApplyBars(Prefs().ShowMenuBar);
    m_nextDeal = std::exchange(m_context.NextDeal, std::nullopt);
    Deal(true, true);
}

// ---- menu --------------------------------------------------------------------

QAction* TGameForm::AddItem(const QString& name, const QString& caption, const QKeySequence& shortcut,
                            std::function<void()> handler, bool checkable) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        CancelDrags();
        handler();
    });
    m_popup->addAction(action);
    addAction(action); // shortcuts work without opening the menu
    m_items.insert(name, action);
    return action;
}

void TGameForm::AddSeparator() {
    m_popup->addSeparator();
}

QAction* TGameForm::AddUndoItem() {
    QAction* undo = AddItem(QStringLiteral("Undo1"), QStringLiteral("&Undo"),
                            QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { UndoCommand(); });
    undo->setEnabled(false);
    return undo;
}

QAction* TGameForm::AddAutoplayItem() {
    QAction* item = AddItem(
        QStringLiteral("Autoplay1"), QStringLiteral("&Autoplay"), QKeySequence(Qt::CTRL | Qt::Key_A),
        [this] { Autoplay1Click(); }, true);
    m_autoplay = ReadOption(QStringLiteral("Autoplay"), false);
    item->setChecked(m_autoplay);
    return item;
}

void TGameForm::AddGameItems(const QString& newGameName, const QString& restartName,
                             const QString& statisticsCaption) {
    AddNewGameItems(newGameName, restartName);
    AddOtherGameItems(statisticsCaption);
}

void TGameForm::AddNewGameItems(const QString& newGameName, const QString& restartName) {
    m_newGameItem = AddItem(newGameName, QStringLiteral("&New Game"), QKeySequence(Qt::CTRL | Qt::Key_N),
                            [this] { NewGame1Click(m_newGameItem); });
    m_restartItem = AddItem(restartName, QStringLiteral("&Restart"), QKeySequence(Qt::CTRL | Qt::Key_R),
                            [this] { NewGame1Click(m_restartItem); });
}

void TGameForm::AddOtherGameItems(const QString& statisticsCaption) {
    AddItem(QStringLiteral("Preferences1"), QStringLiteral("&Preferences..."),
            QKeySequence(Qt::CTRL | Qt::Key_P), [this] { Preferences1Click(); });
    AddItem(QStringLiteral("About1"), QStringLiteral("Rul&es..."), QKeySequence(Qt::Key_F1),
            [this] { About1Click(); });
    AddItem(QStringLiteral("Statistics1"), statisticsCaption, QKeySequence(Qt::CTRL | Qt::Key_S),
            [this] { Statistics1Click(); });
}

// ---- options -----------------------------------------------------------------

bool TGameForm::ReadOption(const QString& key, bool defaultValue) {
    m_profile.SetEntry(key);
    if (m_profile.GetText() == QLatin1String("None"))
        return defaultValue;
    return m_profile.GetState();
}

void TGameForm::WriteOption(const QString& key, bool value) {
    m_profile.SetEntry(key);
    m_profile.SetState(value);
}

void TGameForm::Autoplay1Click() {
    m_autoplay = !m_autoplay;
    if (QAction* item = Item(QStringLiteral("Autoplay1")))
        item->setChecked(m_autoplay);
    WriteOption(QStringLiteral("Autoplay"), m_autoplay);
}

// ---- commands ------------------------------------------------------------------

void TGameForm::NewGame1Click(QAction* sender) {
    const bool restart = sender != nullptr && sender == m_restartItem;
    const QString name = QString::fromUtf8(Info().GameName);
    if (m_moveCount > Info().Threshold && !m_gameOver) {
        if (restart) {
            if (!TMessages::Instance().Confirm(this, QStringLiteral("Restart this game of %1?").arg(name)))
                return;
        } else {
            if (!AskQuit())
                return;
            OnNewGameConfirmed();
        }
    }
    if (!restart && !m_nextDeal && DealsWinnableOnly()) {
        const QPointer<TGameForm> self(this);
        const std::optional<quint32> deal = m_solver->ChooseWinnableDeal(TRandom::State());
        if (!self || !deal)
            return;
        m_nextDeal = deal;
    }
    EmptyTable(!restart);
    for (TCardPileView* view : m_viewOrder)
        view->update();
    Deal(!restart, false);
}

bool TGameForm::AskQuit() {
    const QString text = QStringLiteral("Quit this game of %1?").arg(QString::fromUtf8(Info().GameName));
    if (!TMessages::Instance().Confirm(this, text))
        return false;
    RecordGame();
    return true;
}

bool TGameForm::FormCloseQuery() {
    bool mayClose = true;
    if (m_moveCount >= Info().Threshold && !m_gameOver)
        mayClose = AskQuit();
    if (m_context.SetGameWindowClosed)
        m_context.SetGameWindowClosed(mayClose);
    return mayClose;
}

void TGameForm::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    CancelDrags();
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_closed = true;
    m_solver->Stop();
    WindowPlacement::TPlacement placement;
    // The frame's position, which move() takes back, so the window does not creep.
    placement.normalGeometry =
        isMaximized() && m_normalPlace.isValid() ? m_normalPlace : QRect(pos(), size());
    // The stored height is the table's: the bars come on top of it.
    placement.normalGeometry.setHeight(placement.normalGeometry.height() - BarsHeight());
    placement.state =
        isMaximized() ? WindowPlacement::TShowState::Maximized : WindowPlacement::TShowState::Normal;
    WindowPlacement::Save(PlacementSection(), placement);
    EmptyTable(true);
    event->accept();
}

void TGameForm::Preferences1Click() {
    if (m_context.ShowPreferences)
        m_context.ShowPreferences(this);
    ApplyBackground();
    ApplyBars(Prefs().ShowMenuBar);
    RefreshCaption();
    AfterPreferences();
    update();
    for (TCardPileView* view : m_viewOrder)
        view->update();
}

void TGameForm::About1Click() {
    if (m_context.ShowHelp)
        m_context.ShowHelp(this, Info().HelpContext);
}

void TGameForm::Statistics1Click() {
    if (m_context.ShowStatistics)
        m_context.ShowStatistics(this);
}

void TGameForm::RecordGame() {
    const Statistics::TRecordResult result =
        Statistics::RecordFinishedGame(m_profile, m_moveCount, Info().Threshold, m_gameOver, ComputeScore());
    if (!result.Ok())
        TMessages::Instance().Error(this, result.errorText);
}

// ---- deal ----------------------------------------------------------------------

void TGameForm::EmptyTable(bool destroy) {
    for (TCardPileView* view : m_viewOrder) {
        view->Pile.Empty(false);
        view->DragPile.Empty(false);
    }
    for (TCardPile* pile : ExtraPiles())
        pile->Empty(false);
    if (destroy) {
        ClearUndo();
        m_savedDeal.Empty(true);
    }
}

void TGameForm::NewDeck(TCardPileView* stock, int decks, bool quiet) {
    // A chosen deal starts the sequence at its number; otherwise the number is where it stands.
    if (m_nextDeal)
        TRandom::Seed(*std::exchange(m_nextDeal, std::nullopt));
    m_dealNumber = TRandom::State();
    for (int i = 0; i < decks; ++i)
        stock->Pile.AddDeck();
    stock->Pile.Shuffle();
    m_savedDeal.Empty(false);
    stock->Pile.CopyPileTo(m_savedDeal);
    if (!quiet && Sound())
        Sound()->PlayShuffle();
}

void TGameForm::RestartDeck(TCardPileView* stock) {
    m_savedDeal.CopyPileTo(stock->Pile);
    for (TCard* card : stock->Pile.Cards)
        card->FaceUp = false;
    if (Sound())
        Sound()->PlayRestart();
}

void TGameForm::FillStock(TCardPileView* stock, int decks, bool newGame, bool quiet) {
    if (newGame)
        NewDeck(stock, decks, quiet);
    else
        RestartDeck(stock);
}

TCard* TGameForm::DealCard(TCardPileView* from, TCardPileView* to, bool faceUp) {
    TCard* card = from->Pile.Top();
    if (!card)
        return nullptr;
    from->Pile.RemoveCard(card);
    card->FaceUp = faceUp;
    to->Pile.AddCard(card);
    return card;
}

bool TGameForm::Animating(bool quiet) const {
    return !quiet && Prefs().DoAnimation;
}

void TGameForm::FinishDeal(bool refreshCaption) {
    for (TCardPileView* view : m_viewOrder)
        view->update();
    m_moveCount = 0;
    ClearUndo();
    m_gameOver = false;
    ++m_dealSerial;
    if (refreshCaption)
        RefreshCaption();
    RefreshStatus();
    if (m_keyboard)
        m_keyboard->TableChanged();
}

TCard* TGameForm::DrawToWaste(TCardPileView* stock, TCardPileView* waste, bool sound) {
    TCard* card = DealCard(stock, waste, true);
    if (!card)
        return nullptr;
    stock->update();
    waste->update();
    ++m_moveCount;
    if (sound && Sound())
        Sound()->PlayStock();
    m_undo.RecordSingleMove(stock, waste, card);
    EndAction(1);
    return card;
}

void TGameForm::CancelDrags() {
    for (TCardPileView* view : findChildren<TCardPileView*>()) {
        if (view->IsDragging())
            view->CancelDrag();
    }
}

void TGameForm::ShowCountHint(TCardPileView* view) {
    const int count = view->Pile.size();
    view->SetHint(count > 0 ? QString::number(count) : QString());
    view->SetShowHint(count > 0);
}

// ---- score and caption -----------------------------------------------------------

int TGameForm::ComputeScore() const {
    int cards = 0;
    for (const TCardPileView* view : m_foundations)
        cards += view->Pile.size();
    return cards;
}

QString TGameForm::CaptionText() const {
    const QString name = QString::fromUtf8(Info().GameName);
    const int score = ComputeScore();
    return score > 0 ? name + QStringLiteral("   Score: ") + QString::number(score) : name;
}

void TGameForm::RefreshCaption() {
    setWindowTitle(CaptionText());
    RefreshStatus();
    if (m_keyboard)
        m_keyboard->TableChanged();
}

// ---- after-move routine and autoplay -----------------------------------------------

void TGameForm::AfterMove() {
    RefreshCaption();
    // A won game is recorded once; whatever runs this again afterwards finds nothing to do.
    if (m_gameOver)
        return;
    if (IsWon()) {
        m_gameOver = true;
        if (QAction* undo = Item(QStringLiteral("Undo1")))
            undo->setEnabled(false);
        OnWon();
        RecordGame();
        ShowWin();
        return;
    }
    if (m_autoplay)
        AutoplayPass();
}

void TGameForm::ShowWin() {
    if (!m_context.ShowWinWindow)
        return;
    switch (m_context.ShowWinWindow(this)) {
    case TAppContext::WinNewGame:
        NewGame1Click(m_newGameItem);
        break;
    case TAppContext::WinShowStatistics:
        Statistics1Click();
        break;
    default:
        break;
    }
}

QList<TCardPileView*> TGameForm::AutoplayOrder() const {
    return m_tableau;
}

void TGameForm::AutoplayPass() {
    // A play may win, and the win window may deal a new game from inside this
    // pass: the pass belongs to the old game and stops there.
    const int deal = m_dealSerial;
    for (TCardPileView* view : AutoplayOrder()) {
        if (m_gameOver || deal != m_dealSerial)
            return;
        const TCard* card = view->Pile.Top();
        if (card && card->FaceUp && FoundationFor(card, view))
            DoubleClickAction(view);
    }
}

// ---- double-click, turn-up -----------------------------------------------------------

bool TGameForm::FoundationTakes(const TCardPileView* foundation, const TCard* card) const {
    const TCard* top = foundation->Pile.Top();
    return card->Value == FS_ACE ? top == nullptr
                                 : (top && top->Suit == card->Suit && top->Value + 1 == card->Value);
}

TCardPileView* TGameForm::FoundationFor(const TCard* card, const TCardPileView* /*from*/) const {
    for (TCardPileView* f : m_foundations)
        if (FoundationTakes(f, card))
            return f;
    return nullptr;
}

void TGameForm::PlayToFoundation(TCardPileView* from, TCardPileView* to) {
    TCard* card = from->Pile.Top();
    from->Pile.RemoveCard(card);
    to->Pile.AddCard(card);
    from->update();
    to->update();
    m_undo.RecordSingleMove(from, to, card);
    if (Sound())
        Sound()->PlayAutoplay();
    ++m_moveCount;
}

void TGameForm::DoubleClickAction(TCardPileView* sender) {
    const TCard* card = sender->Pile.Top();
    if (!card)
        return;
    if (TCardPileView* foundation = FoundationFor(card, sender)) {
        const int before = m_moveCount;
        PlayToFoundation(sender, foundation);
        AfterMoveFollowUps(sender);
        EndAction(m_moveCount - before);
    }
    const int deal = m_dealSerial;
    AfterMove();
    if (deal == m_dealSerial)
        AfterDoubleClick(sender);
}

void TGameForm::TurnUp(TCardPileView* view) {
    TCard* top = view->Pile.Top();
    if (!top || top->FaceUp)
        return;
    top->Flip();
    view->update();
    m_undo.RecordSingleMove(view, view, top);
}

// ---- the window's side of the drag protocol -----------------------------------------

bool TGameForm::CanDrag(TCardPileView* view, int index) const {
    return index == view->Pile.size() - 1;
}

bool TGameForm::DropAllowed(TCardPileView* /*target*/, TCardPileView* /*source*/) const {
    return false;
}

QList<TCardPileView*> TGameForm::SmartDragOrder(TCardPileView* /*source*/) const {
    return m_tableau + m_foundations;
}

QList<TCardPileView*> TGameForm::NonEmptyColumnsFirst() const {
    QList<TCardPileView*> order;
    for (TCardPileView* column : m_tableau)
        if (!column->Pile.isEmpty())
            order.append(column);
    return order + m_tableau + m_foundations;
}

void TGameForm::StandardMouseDown(TCardPileView* view, Qt::MouseButton button, Qt::KeyboardModifiers shift) {
    if (StopsAfterWin() && m_gameOver)
        return;
    if (button == Qt::MiddleButton) {
        MiddleButton(view);
        return;
    }
    view->DragPermission = false;
    if (button != Qt::LeftButton || !view->SelectedCard)
        return;
    if (shift & (Qt::ShiftModifier | Qt::ControlModifier)) {
        DoubleClickAction(view);
        return;
    }
    const int index = view->Pile.CardIndex(view->SelectedCard);
    view->DragPermission = index >= 0 && CanDrag(view, index);
}

void TGameForm::MiddleButton(TCardPileView* view) {
    if (HasStock())
        StockAction();
    else
        DoubleClickAction(view);
}

void TGameForm::FormMouseDown(TCardPileView* /*view*/, Qt::MouseButton button) {
    if (button == Qt::MiddleButton && HasStock())
        StockAction();
}

bool TGameForm::ViewDragOver(QWidget* sender, TCardPileView* source) {
    auto* target = qobject_cast<TCardPileView*>(sender);
    if (target && target != source && DropAllowed(target, source))
        source->DropTarget = target;
    return source->DropTarget != nullptr;
}

bool TGameForm::DragOver(QWidget* /*sender*/, TCardPileView* source) {
    if (Prefs().SmartDragging)
        return source->DropTarget != nullptr;
    source->DropTarget = nullptr;
    return false;
}

void TGameForm::StartDrag(TCardPileView* source) {
    if (Prefs().SmartDragging && !source->DropTarget) {
        for (TCardPileView* view : SmartDragOrder(source)) {
            if (view != source && DropAllowed(view, source)) {
                source->DropTarget = view;
                break;
            }
        }
    }
    source->update();
}

void TGameForm::EndDrag(TCardPileView* source) {
    if (source->DropTarget)
        DragCompleted(source, source->DropTarget);
}

void TGameForm::DragCompleted(TCardPileView* source, TCardPileView* target) {
    // Follow-ups that make moves of their own (a refill) belong to this one action.
    const int before = m_moveCount;
    m_undo.RecordGroupMove(source, target, source->DragPile);
    AfterMoveFollowUps(source);
    ++m_moveCount;
    EndAction(m_moveCount - before);
    AfterMove();
}

void TGameForm::AfterMoveFollowUps(TCardPileView* source) {
    if (Role(source) == TPileRole::Tableau)
        TurnUp(source);
}

// ---- undo ------------------------------------------------------------------------------

void TGameForm::ClearUndo() {
    m_undo.Clear();
    m_actions.clear();
    m_markedRecords = 0;
    ClearRedo();
}

void TGameForm::EndAction(int moves, bool quietUndo) {
    if (m_markedRecords > m_undo.Count()) { // records were cleared behind our back
        m_actions.clear();
        m_markedRecords = 0;
    }
    const int records = m_undo.Count() - m_markedRecords;
    if (records > 0 || moves > 0) {
        m_actions.append({records, moves, quietUndo});
        // A new action: what Undo took back is no longer the way forward.
        if (!m_inUndo)
            ClearRedo();
    }
    m_markedRecords = m_undo.Count();
    RefreshStatus();
}

void TGameForm::TakeBackRecord() {
    m_undo.Peek();
    TCardPileView* source = m_undo.LastSource;
    TCardPileView* dest = m_undo.LastDest;
    if (!m_undo.LastCards)
        return;
    if (source && source == dest) {
        m_undo.TakeBack();
        if (TCard* top = source->Pile.Top())
            top->FaceUp = false;
    } else if (source && Role(source) == TPileRole::Stock) {
        // Dealt one by one off the top: back in reverse, the first dealt on top again.
        m_undo.LastCards->Flip();
        m_undo.TakeBack();
        for (TCard* card : m_undo.LastCards->Cards)
            card->FaceUp = false;
    } else {
        m_undo.TakeBack();
    }
    if (source)
        source->update();
    if (dest)
        dest->update();
    m_undo.DropLast();
}

void TGameForm::Undo1Click() {
    if (m_undo.Count() == 0)
        return;
    // Records not closed as an action count as one move, as one command.
    TAction action{1, 1};
    if (m_markedRecords > m_undo.Count()) {
        m_actions.clear();
        m_markedRecords = 0;
    }
    if (m_undo.Count() > m_markedRecords)
        action = {m_undo.Count() - m_markedRecords, 1};
    else if (!m_actions.isEmpty())
        action = m_actions.takeLast();
    for (int i = 0; i < action.records && m_undo.Count() > 0; ++i)
        TakeBackRecord();
    m_markedRecords = m_undo.Count();
    m_moveCount = qMax(0, m_moveCount - action.moves);
    if (Sound() && !action.quiet)
        Sound()->PlayUndo();
    AfterUndo();
    RefreshCaption();
}

// ---- background, size, keys, mouse -------------------------------------------------------

void TGameForm::ApplyBackground() {
    const TPreferences& prefs = Prefs();
    const QImage picture = m_context.BackgroundPicture ? m_context.BackgroundPicture() : QImage();
    const bool gradient = prefs.BackgroundIndex == 1;
    const bool tiled = prefs.BackgroundIndex == 2 && !picture.isNull();
    if (gradient) {
        m_background->SetColor(prefs.GradientStartColor);
        m_background->SetEndColor(prefs.GradientEndColor);
        m_background->SetFillType(prefs.GradientIndex == 1 ? gHorz : gVert);
        m_background->SetBackType(btBlend);
    } else if (tiled) {
        m_background->SetBitMap(picture);
        m_background->SetBackType(btBitmap);
    }
    for (TCardPileView* view : m_viewOrder) {
        view->BackgroundMode = (gradient || tiled) ? FS_BITMAP : FS_NORMAL;
        view->BackgroundPicture = (gradient || tiled) ? &m_background->Picture() : nullptr;
        view->update();
    }
    if (!gradient && !tiled) {
        m_background->SetBackType(btNormal);
        const QColor colour = FromBgr(prefs.BackgroundColor);
        if (m_table->palette().color(QPalette::Window) != colour) {
            QPalette pal = m_table->palette();
            pal.setColor(QPalette::Window, colour);
            m_table->setPalette(pal);
        }
    }
    m_table->update();
}

void TGameForm::ApplySizeLimits(bool maximized) {
    if (maximized) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    // The bars add to the table's own limits.
    const int bars = BarsHeight();
    setMinimumWidth(m_layout.ClientWidth);
    setMaximumWidth(m_layout.ClientWidth);
    if (m_layout.MinTrackHeight == 0) {
        setMinimumHeight(m_layout.ClientHeight + bars);
        setMaximumHeight(m_layout.ClientHeight + bars);
    } else {
        setMinimumHeight(m_layout.MinTrackHeight - NonClientHeight + bars);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

void TGameForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutBars();
    if (!m_arraysFilled)
        return;
    ApplyAnchors();
    FormResize();
    if (m_keyboard)
        m_keyboard->TableChanged();
}

void TGameForm::ApplyAnchors() {
    for (std::size_t i = 0; i < m_layout.Piles.size(); ++i) {
        const TPileSpec& spec = m_layout.Piles[i];
        TCardPileView* view = m_viewOrder[static_cast<int>(i)];
        if (spec.BottomGap > 0)
            view->move(view->x(), m_table->height() - spec.BottomGap);
        if (spec.StretchRight) {
            const int rightMargin = m_layout.ClientWidth - spec.Left - spec.Width;
            view->resize(qMax(spec.Width, m_table->width() - rightMargin - view->x()), view->height());
        }
    }
}

void TGameForm::FormResize() {
    if (m_layout.ColumnMargin <= 0)
        return;
    for (TCardPileView* view : m_tableau)
        view->resize(view->width(), m_table->height() - m_layout.ColumnMargin);
}

void TGameForm::keyPressEvent(QKeyEvent* event) {
    if (m_barsOn && m_keyboard->KeyPress(event))
        return;
    if (event->key() == Qt::Key_Space && HasStock()) {
        CancelDrags();
        StockAction();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TGameForm::focusNextPrevChild(bool next) {
    // Tab walks the piles in keyboard play; the window has no other focus chain.
    if (m_barsOn) {
        m_keyboard->Tab(next);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void TGameForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && HasStock()) {
        CancelDrags();
        StockAction();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TGameForm::contextMenuEvent(QContextMenuEvent* event) {
    CancelDrags();
    m_popup->exec(event->globalPos());
}

void TGameForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        if (isMaximized() && !(old & Qt::WindowMaximized))
            RememberNormalPlace();
        ApplySizeLimits(isMaximized());
        // Back from maximized to the place and size it had: the platform does
        // not always know them (a window opened maximized never showed them).
        if (!isMaximized() && !isMinimized() && (old & Qt::WindowMaximized) && m_normalPlace.isValid()) {
            move(m_normalPlace.topLeft());
            resize(m_normalPlace.size());
        }
        if (isMinimized() && m_context.MinimizeApp)
            m_context.MinimizeApp();
    }
    QWidget::changeEvent(event);
}

void TGameForm::RememberNormalPlace() {
    // The width is locked unless maximized: at the locked width the window
    // still has its normal geometry, else Qt knows it.
    if (width() == m_layout.ClientWidth) {
        m_normalPlace = QRect(pos(), size());
    } else if (const QRect normal = normalGeometry(); normal.isValid()) {
        const QPoint frame = geometry().topLeft() - pos();
        m_normalPlace = QRect(normal.topLeft() - frame, normal.size());
    }
}

QString TGameForm::PlacementSection() const {
    return (m_small ? QStringLiteral("s") : QString()) + QString::fromUtf8(Info().Section);
}

void TGameForm::showEvent(QShowEvent* event) {
    if (!m_placementRestored) {
        m_placementRestored = true;
        const auto placement = WindowPlacement::Load(PlacementSection());
        // A saved place that lies on no screen any more is forgotten.
        if (placement && QGuiApplication::screenAt(placement->normalGeometry.center())) {
            move(placement->normalGeometry.topLeft());
            // The stored height is the table's: the bars come on top of it.
            if (m_layout.MinTrackHeight != 0)
                resize(width(), qMax(placement->normalGeometry.height() + BarsHeight(), minimumHeight()));
            if (placement->state == WindowPlacement::TShowState::Maximized)
                setWindowState(windowState() | Qt::WindowMaximized);
        } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect centred(QPoint(), frameGeometry().size());
            centred.moveCenter(screen->availableGeometry().center());
            move(centred.topLeft());
        }
    }
    QWidget::showEvent(event);
}
