#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

// A tiny deterministic synthesiser: every sound of the program is built here from
// sine partials and filtered noise, so the same build always gives the same files.
namespace synth {

constexpr int kRate = 22050;

// xorshift32: the same numbers on every platform, unlike the standard distributions.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_state(seed ? seed : 1u) {}
    std::uint32_t Next();
    double Uniform(); // [0, 1)
    double Bipolar(); // [-1, 1)
    double Range(double low, double high) { return low + (high - low) * Uniform(); }

private:
    std::uint32_t m_state;
};

// A mono buffer of samples in [-1, 1] (before normalising).
class Track {
public:
    explicit Track(double seconds);

    int Length() const { return int(m_samples.size()); }
    double Seconds() const { return double(Length()) / kRate; }
    std::vector<double>& Samples() { return m_samples; }

    // A note of additive partials: `amps[k]` is the amplitude of partial `ratios[k]`.
    // Attack is linear, then the note decays exponentially with time constant `decay`
    // (seconds) and is released over `release` seconds after `duration`.
    struct Note {
        double freq = 440;
        double start = 0;
        double duration = 0.5;
        double amp = 1;
        double attack = 0.01;
        double decay = 10; // long: a held note
        double release = 0.08;
        double vibratoHz = 0;
        double vibratoDepth = 0; // fraction of the frequency
        std::vector<double> ratios{1};
        std::vector<double> amps{1};
    };
    void AddNote(const Note& note);

    // A burst of noise through a two-pole band-pass, with an attack and an
    // exponential decay; the centre frequency glides from `fromHz` to `toHz`.
    struct Burst {
        double start = 0;
        double duration = 0.01;
        double amp = 1;
        double attack = 0.001;
        double decay = 0.005;
        double fromHz = 3000;
        double toHz = 3000;
        double q = 1.0;
    };
    void AddBurst(const Burst& burst, Noise& noise);

    // Scales to a peak of `peak` (linear), fades both ends and converts to 16-bit PCM.
    std::vector<std::int16_t> Finish(double peak, double fadeInS, double fadeOutS) const;

private:
    std::vector<double> m_samples;
};

// A 16-bit mono PCM wave file.
QByteArray Wave(const std::vector<std::int16_t>& pcm);

// Frequency of a MIDI note number.
double Midi(double note);

} // namespace synth
