#pragma once

#include <QString>
#include <functional>
#include <memory>

// Plays one named sound resource. The program's output uses Qt Multimedia;
// tests put a recording fake in its place.
class ISoundOutput {
public:
    virtual ~ISoundOutput() = default;
    // Stops any sound still playing, then plays `name`. When `wait` is true it
    // returns only when the sound has finished (bounded by its length plus a
    // margin, and at once when there is no audio device).
    virtual void Play(const QString& name, bool wait) = 0;
};

// The program's single sound player: each operation plays one of the nine
// named sounds, only while the sound preference is on.
class TSoundManager {
public:
    // `enabled` is asked at every call (the current "DoSound" preference); without
    // one every sound plays. A null output plays nothing.
    explicit TSoundManager(std::unique_ptr<ISoundOutput> output, std::function<bool()> enabled = {});
    ~TSoundManager();

    void PlayShuffle();        // "SHUFFLE", waits
    void PlayRestart();        // "RESTART", waits
    void PlayDeal();           // "DEAL", waits
    void PlayStock();          // "STOCK", waits
    void PlayUndo();           // "UNDO", waits
    void PlayAutoplay();       // "AUTOPLAY", waits
    void PlayAutoplayNoWait(); // "AUTOPLAY", returns at once
    void PlayOpen();           // "OPEN", returns at once
    void PlayJester();         // "JESTER", returns at once
    void PlayWin();            // "WIN_SND", returns at once

    void SetEnabled(std::function<bool()> enabled) { m_enabled = std::move(enabled); }
    ISoundOutput& Output() { return *m_output; }

    // The real output: Qt Multimedia, in the sound module, which is loaded when
    // the first sound plays. With `requireDevice` false it plays even without
    // an audio device. Without the module nothing plays.
    static std::unique_ptr<ISoundOutput> CreateDefaultOutput(bool requireDevice = true);

private:
    void Play(const char* name, bool wait);

    std::unique_ptr<ISoundOutput> m_output;
    std::function<bool()> m_enabled;
};
