#pragma once

#include "framework/AppContext.h"
#include "framework/TSoundManager.h"
#include "shell/CommandLine.h"

#include <QApplication>
#include <memory>

class TPreferencesDlg;
class TSolitaireForm;
class TStatisticsDlg;
class TSysRequirementsForm;

// The QApplication of the program: an exception that escapes a handler is
// shown in an error box and the message loop goes on.
class TGuardedApplication : public QApplication {
    Q_OBJECT

public:
    TGuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The error box for an exception that reached the top of a handler.
    static void ReportException(const std::exception_ptr& error);
};

// The program's services for the whole run: the one sound player, the
// selector, the hidden preferences, requirements and statistics windows, and
// what game windows are given to reach them. Built in the start-up order; the
// program runs until the selector closes.
class TApplication {
public:
    // `soundOutput` null: the real output (Qt Multimedia). `start`: a game the command line
    // opens once the selector is on the screen.
    explicit TApplication(std::unique_ptr<ISoundOutput> soundOutput = nullptr,
                          const CommandLine::TStart& start = {});
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    TSolitaireForm& Selector() const { return *m_selector; }
    // Made right after the selector's first paint, or earlier when something
    // needs the preferences first.
    TPreferencesDlg& Preferences() const;
    // Made when first needed: nothing shows them before that, and start-up is quicker.
    TSysRequirementsForm& Requirements() const;
    TStatisticsDlg& Statistics() const;
    TSoundManager* Sound() const { return m_sound.get(); }
    TAppContext& Context() { return m_context; }

private:
    void BuildContext();
    void FinishStartUpAfterFirstPaint(const CommandLine::TStart& start);
    static void FollowScreenDensity();

    std::unique_ptr<TSoundManager> m_sound;
    TAppContext m_context;
    mutable std::unique_ptr<TPreferencesDlg> m_preferences;
    std::unique_ptr<QObject> m_startUpWatcher;
    mutable std::unique_ptr<TStatisticsDlg> m_statistics;
    mutable std::unique_ptr<TSysRequirementsForm> m_requirements;
    std::unique_ptr<TSolitaireForm> m_selector;
};
