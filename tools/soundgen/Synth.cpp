#include "Synth.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

std::uint32_t Noise::Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

double Noise::Uniform() {
    return double(Next() >> 8) / double(1u << 24);
}

double Noise::Bipolar() {
    return 2.0 * Uniform() - 1.0;
}

Track::Track(double seconds) : m_samples(std::size_t(std::lround(seconds * kRate)), 0.0) {
}

void Track::AddNote(const Note& note) {
    const int first = int(std::lround(note.start * kRate));
    const int count = int((note.duration + note.release) * kRate);
    for (std::size_t k = 0; k < note.ratios.size(); ++k) {
        const double freq = note.freq * note.ratios[k];
        if (freq >= kRate * 0.45) // above Nyquist it would alias into a wrong tone
            continue;
        double phase = 0;
        for (int n = 0; n < count && first + n < Length(); ++n) {
            const double t = double(n) / kRate;
            double env = t < note.attack ? t / note.attack : std::exp(-(t - note.attack) / note.decay);
            if (t > note.duration)
                env *= std::max(0.0, 1.0 - (t - note.duration) / note.release);
            const double vibrato =
                1.0 + note.vibratoDepth * std::sin(2 * std::numbers::pi * note.vibratoHz * t);
            phase += 2 * std::numbers::pi * freq * vibrato / kRate;
            if (first + n >= 0)
                m_samples[std::size_t(first + n)] += note.amp * note.amps[k] * env * std::sin(phase);
        }
    }
}

void Track::AddBurst(const Burst& burst, Noise& noise) {
    const int first = int(std::lround(burst.start * kRate));
    const int count = int(burst.duration * kRate);
    // State-variable filter: stable for centre frequencies well below the rate.
    double low = 0, band = 0;
    for (int n = 0; n < count && first + n < Length(); ++n) {
        const double t = double(n) / kRate;
        const double progress = count > 1 ? double(n) / (count - 1) : 0.0;
        const double centre = burst.fromHz * std::pow(burst.toHz / burst.fromHz, progress);
        const double f = 2 * std::sin(std::numbers::pi * std::min(centre, kRate / 6.0) / kRate);
        const double input = noise.Bipolar();
        low += f * band;
        const double high = input - low - band / burst.q;
        band += f * high;
        const double env = t < burst.attack ? t / burst.attack : std::exp(-(t - burst.attack) / burst.decay);
        if (first + n >= 0)
            m_samples[std::size_t(first + n)] += burst.amp * env * band;
    }
}

std::vector<std::int16_t> Track::Finish(double peak, double fadeInS, double fadeOutS) const {
    double top = 0;
    for (double s : m_samples)
        top = std::max(top, std::abs(s));
    const double gain = top > 0 ? peak / top : 0;
    const int fadeIn = std::max(1, int(fadeInS * kRate));
    const int fadeOut = std::max(1, int(fadeOutS * kRate));
    std::vector<std::int16_t> pcm(m_samples.size());
    for (int n = 0; n < Length(); ++n) {
        double env = 1.0;
        if (n < fadeIn)
            env *= double(n) / fadeIn;
        if (n >= Length() - fadeOut)
            env *= double(Length() - 1 - n) / fadeOut;
        const double value = std::clamp(m_samples[std::size_t(n)] * gain * env, -1.0, 1.0);
        pcm[std::size_t(n)] = std::int16_t(std::lround(value * 32767.0));
    }
    return pcm;
}

QByteArray Wave(const std::vector<std::int16_t>& pcm) {
    const quint32 dataBytes = quint32(pcm.size() * 2);
    QByteArray out;
    auto u32 = [&out](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto u16 = [&out](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out.append("RIFF");
    u32(36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.append("data");
    u32(dataBytes);
    for (std::int16_t s : pcm)
        u16(quint16(s));
    return out;
}

double Midi(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

} // namespace synth
