#pragma once

#include "shell/TPreferencesDlg.h"

#include <QList>
#include <QListWidget>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QToolButton;
class TApplication;
class TGameForm;

// The list of games. A choice is made by a mouse click (once, when the button
// is released, even on the item already selected), by the arrow keys and the
// other selection keys, or by Enter; every choice emits Chosen.
class TGameListBox : public QListWidget {
    Q_OBJECT

public:
    explicit TGameListBox(QWidget* parent = nullptr);

    // Selects a row without counting as the player's choice.
    void SelectQuietly(int row);

signals:
    void Chosen();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void CurrentRowChanged();

    bool m_mouseDown = false;
    bool m_pressOnItem = false;
    bool m_quiet = false;
    int m_rowAtPress = -1;
};

// The program's main window: the list of the twelve games, the preview of the
// chosen one, the jester that opens the information box, the help button and
// the tray icon. Choosing a game closes the open game window and opens the
// chosen game in the window that the card size and the desktop allow.
class TSolitaireForm : public QWidget {
    Q_OBJECT

public:
    explicit TSolitaireForm(TApplication& app, QWidget* parent = nullptr);
    ~TSolitaireForm() override;

    // What the selector asks of the display; an empty member asks the real
    // primary screen. Tests replace it.
    static void SetDisplayProbe(TPreferencesDlg::DisplayProbe probe);
    // Whether the desktop has a system tray; empty: ask Qt. Tests replace it.
    static void SetTrayProbe(std::function<bool()> available);

    TGameForm* GameWindow() const { return m_gameWindow; }
    // The list index of the open game window, or -1.
    int OpenGameIndex() const;
    bool LowColor() const { return m_lowColor; }
    bool GameWindowClosed() const { return m_gameWindowClosed; }
    int RememberedSelection() const { return m_rememberedSelection; }

    TGameListBox* GameSelectListBox() const { return m_list; }
    QLabel* GameImage() const { return m_gameImage; }
    QLabel* Image1() const { return m_jester; }
    QToolButton* HelpButton() const { return m_helpButton; }
    QSystemTrayIcon* TrayIcon() const { return m_trayIcon; }
    QMenu* TrayPopupMenu() const { return m_trayMenu; }
    // The preview picture shown now, by resource name.
    const QString& PreviewName() const { return m_previewName; }

    // Set by each game window asked to close; read after asking.
    void SetGameWindowClosed(bool closed) { m_gameWindowClosed = closed; }
    void GameWindowDestroyed(TGameForm* window);

    // Asks every open game window to close; false when one refused.
    bool CloseAllGameWindows();
    // Opens the game of list index `index` as a choice in the list does: at the card size
    // `large` asks (none: the preference), its first deal deal number `deal` (none: any).
    void OpenGame(int index, std::optional<bool> large = std::nullopt,
                  std::optional<std::uint32_t> deal = std::nullopt);

public slots:
    void GameSelectListBoxClick();
    void Image1Click();
    void HelpButtonClick();
    void TrayIconDblClick();
    void Exit1Click();
    // The application's minimize: to the tray when the preference asks for it
    // and the desktop has one, else every window of the program minimizes.
    void ApplicationMinimize();

signals:
    // The selector has closed: the program ends.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowPreview(const QString& name);
    void RestorePosition();
    QList<QWidget*> ProgramWindows() const;
    void NotAvailable(int gameIndex);

    TApplication& m_app;
    TGameListBox* m_list = nullptr;
    QLabel* m_jester = nullptr;
    QToolButton* m_helpButton = nullptr;
    QLabel* m_gameImage = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
    QMenu* m_trayMenu = nullptr;
    QString m_previewName;

    QPointer<TGameForm> m_gameWindow;
    QList<QPointer<QWidget>> m_hiddenWindows;
    bool m_lowColor = false;
    bool m_belowSvga = false;
    bool m_belowXga = false;
    bool m_gameWindowClosed = true;
    bool m_minimizing = false;
    int m_rememberedSelection = -1;
};
