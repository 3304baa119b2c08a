#pragma once

#include "framework/core/Preferences.h"
#include "framework/core/TProfile.h"

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QStringList>
#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QFrame;
class TSoundManager;

// The program-wide preferences: the dialog in which the player sets them and,
// hidden between uses, the one place where the current values live for the
// whole run. Created once at start-up; its constructor reads section
// "Preferences", applies the card back and size to the card model, loads the
// player's pictures, plays "OPEN" and shows the tip of the day.
class TPreferencesDlg : public QDialog {
    Q_OBJECT

public:
    // What the dialog asks of the display. Tests replace it before construction;
    // an empty member asks the real primary screen.
    struct DisplayProbe {
        std::function<int()> Depth; // bits per pixel
        std::function<int()> Width; // primary screen width in pixels
    };
    static void SetDisplayProbe(DisplayProbe probe);

    // The file dialog's request and answer (an empty path when cancelled).
    struct FileRequest {
        QString Directory;      // empty: the dialog's own default
        QString FileName;       // pre-selected file name, or empty
        QStringList Filters;    // Qt name filters
        QString SelectedFilter; // one of Filters
    };
    using FileChooser = std::function<QString(QWidget* parent, const FileRequest& request)>;
    // Answers an invalid colour when the player cancels.
    using ColorChooser = std::function<QColor(QWidget* parent, const QColor& initial)>;
    using HelpHook = std::function<void(int context)>;

    static constexpr int HelpContext = 502;

    explicit TPreferencesDlg(TSoundManager* sound, QWidget* parent = nullptr);
    ~TPreferencesDlg() override;

    const TPreferences& Prefs() const { return m_prefs; }
    // The tiled background picture; null when there is none.
    const QImage& BackgroundPicture() const { return m_backgroundPicture; }
    bool LowColor() const { return m_lowColor; }
    // Set once a close changed the card size; never cleared during the run.
    bool CardSizeChanged() const { return m_cardSizeChanged; }

    // Called before each new game window: after a card size change the custom
    // back is composed again at the new size.
    void RefreshCustomBack();

    // Shows the dialog modally; closing it by any way writes the preferences.
    int ShowModal();

    void SetFileChooser(FileChooser chooser);
    void SetColorChooser(ColorChooser chooser);
    void SetHelpHook(HelpHook hook) { m_helpHook = std::move(hook); }

    // The classic "description|patterns|..." filter as Qt name filters.
    static QStringList ToQtFilters(const QString& classicFilter);
    static const QString& FileFilter();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildCardBackPage(QWidget* page);
    void BuildCardSizePage(QWidget* page);
    void BuildBackgroundPage(QWidget* page);
    void BuildOtherPage(QWidget* page);
    QFrame* MakeColorPanel(QWidget* parent, const QString& name, const QString& hint);
    static void PaintPanel(QFrame* panel, int color);

    void ReadCustomColors(const QString& text);
    void WriteCustomColors();

    void FormClose();
    void ColorButtonClick(QFrame* panel);
    void BackgroundRadioGroupClick();
    void GradientRadioGroupClick();
    void CardSizeRadioGroupClick();
    void BrowseButtonClick(bool cardBack);
    void HelpBtnClick();

    void LoadCustomBack(const QString& path, bool apply, bool silent);
    void LoadBackgroundPicture(const QString& path);
    void DropCustomBack();
    void SetBackgroundIndex(int index);
    int CheckedBackIndex() const;

    TSoundManager* m_sound;
    TProfile m_profile;
    TPreferences m_prefs;
    TPreferences m_opened; // the values when the dialog was last shown
    QImage m_backgroundPicture;
    bool m_lowColor = false;
    bool m_cardSizeChanged = false;
    int m_openCardSize = 1;
    FileChooser m_fileChooser;
    ColorChooser m_colorChooser;
    HelpHook m_helpHook;

    QTabWidget* m_pages = nullptr;
    std::array<QLabel*, 4> m_backImages{};
    std::array<QRadioButton*, 4> m_backButtons{};
    QPushButton* m_browseButton = nullptr;
    QGroupBox* m_cardSizeGroup = nullptr;
    QButtonGroup* m_cardSizeButtons = nullptr;
    QLabel* m_cardPreview = nullptr;
    QGroupBox* m_backgroundGroup = nullptr;
    QButtonGroup* m_backgroundButtons = nullptr;
    QStackedWidget* m_backgroundPages = nullptr;
    QButtonGroup* m_gradientButtons = nullptr;
    QFrame* m_solidPanel = nullptr;
    QFrame* m_startPanel = nullptr;
    QFrame* m_endPanel = nullptr;
    QLabel* m_backgroundImage = nullptr;
    QLabel* m_backgroundHint = nullptr;
    QPushButton* m_backgroundBrowse = nullptr;
    QCheckBox* m_animationCheck = nullptr;
    QCheckBox* m_soundCheck = nullptr;
    QCheckBox* m_vegasCheck = nullptr;
    QCheckBox* m_minimizeCheck = nullptr;
    QCheckBox* m_smartCheck = nullptr;
    QCheckBox* m_tipsCheck = nullptr;
    QCheckBox* m_menuBarCheck = nullptr;
};
