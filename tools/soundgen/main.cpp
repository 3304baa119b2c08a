// Synthesises the program's nine sounds into <outdir> and lists them in
// <outdir>/sounds.qrc for rcc. Usage: soundgen <outdir>
#include "Synth.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <utility>

using namespace synth;

namespace {

// -3 dBFS.
const double kPeak = std::pow(10.0, -3.0 / 20.0);

// The crisp snap of one card landing.
void Snap(Track& track, Noise& noise, double at, double amp, double centre = 2600) {
    track.AddBurst({.start = at,
                    .duration = 0.03,
                    .amp = amp,
                    .attack = 0.0004,
                    .decay = 0.005,
                    .fromHz = centre,
                    .toHz = centre * 0.6,
                    .q = 0.9},
                   noise);
    Track::Note thump{.freq = 170,
                      .start = at,
                      .duration = 0.02,
                      .amp = amp * 0.08,
                      .attack = 0.001,
                      .decay = 0.012,
                      .release = 0.01};
    track.AddNote(thump);
}

// A run of card edges flicking past the thumbs, bunched at the start and the end
// where the thumbs let go unevenly.
void Riffle(Track& track, Noise& noise, double from, double to, int clicks, double lowHz, double highHz) {
    for (int k = 0; k < clicks; ++k) {
        const double x = double(k) / (clicks - 1);
        const double at =
            from + (to - from) * (0.5 - 0.5 * std::cos(std::numbers::pi * x)) + noise.Range(-0.002, 0.002);
        track.AddBurst({.start = at,
                        .duration = 0.008,
                        .amp = noise.Range(0.5, 1.0),
                        .attack = 0.0003,
                        .decay = 0.0015,
                        .fromHz = noise.Range(lowHz, highHz),
                        .toHz = lowHz,
                        .q = 1.5},
                       noise);
    }
    // The soft rush of air under the riffle.
    track.AddBurst({.start = from,
                    .duration = to - from + 0.05,
                    .amp = 0.35,
                    .attack = (to - from) * 0.4,
                    .decay = (to - from) * 0.5,
                    .fromHz = 1200,
                    .toHz = 2600,
                    .q = 0.5},
                   noise);
}

Track Shuffle() {
    Track track(0.6);
    Noise noise(0x5eed01);
    Riffle(track, noise, 0.02, 0.46, 46, 2400, 4200);
    // The cards settle into one pile.
    track.AddBurst({.start = 0.47,
                    .duration = 0.12,
                    .amp = 0.6,
                    .attack = 0.01,
                    .decay = 0.03,
                    .fromHz = 1400,
                    .toHz = 700,
                    .q = 0.7},
                   noise);
    Snap(track, noise, 0.5, 0.7, 2000);
    return track;
}

Track Restart() {
    Track track(0.35);
    Noise noise(0x5eed02);
    Riffle(track, noise, 0.015, 0.26, 24, 2000, 3600);
    Snap(track, noise, 0.28, 0.8, 2200);
    return track;
}

Track Deal() {
    Track track(0.06);
    Noise noise(0x5eed03);
    Snap(track, noise, 0.002, 1.0);
    return track;
}

Track Stock() {
    Track track(0.15);
    Noise noise(0x5eed04);
    Snap(track, noise, 0.002, 0.8, 3400);
    track.AddBurst({.start = 0.01,
                    .duration = 0.11,
                    .amp = 0.5,
                    .attack = 0.04,
                    .decay = 0.03,
                    .fromHz = 1500,
                    .toHz = 3600,
                    .q = 0.5},
                   noise);
    Snap(track, noise, 0.095, 1.0, 2400);
    return track;
}

Track Undo() {
    Track track(0.2);
    Noise noise(0x5eed05);
    track.AddBurst({.start = 0,
                    .duration = 0.2,
                    .amp = 1.0,
                    .attack = 0.07,
                    .decay = 0.045,
                    .fromHz = 3000,
                    .toHz = 700,
                    .q = 0.6},
                   noise);
    return track;
}

Track::Note Chime(double midi, double at, double duration, double amp) {
    return {.freq = Midi(midi),
            .start = at,
            .duration = duration,
            .amp = amp,
            .attack = 0.003,
            .decay = 0.09,
            .release = 0.04,
            .ratios = {1, 2, 3},
            .amps = {1, 0.25, 0.08}};
}

Track Autoplay() {
    Track track(0.25);
    track.AddNote(Chime(84, 0.0, 0.14, 0.8));  // C6
    track.AddNote(Chime(91, 0.06, 0.15, 1.0)); // G6
    return track;
}

Track Open() {
    Track track(1.0);
    const double notes[] = {60, 72, 76, 79, 84}; // C major, spread upwards
    for (int k = 0; k < 5; ++k) {
        Track::Note note{.freq = Midi(notes[k]),
                         .start = k * 0.04,
                         .duration = 0.8 - k * 0.04,
                         .amp = k == 0 ? 0.6 : 0.45,
                         .attack = 0.015,
                         .decay = 0.45,
                         .release = 0.12,
                         .ratios = {1, 2, 3, 4},
                         .amps = {1, 0.35, 0.15, 0.05}};
        track.AddNote(note);
    }
    return track;
}

// One shake of a string of small bells: a few bright, inharmonic pings.
void Shake(Track& track, Noise& noise, double at, double amp) {
    for (int k = 0; k < 4; ++k) {
        const double freq = noise.Range(2600, 3900);
        track.AddNote({.freq = freq,
                       .start = at + noise.Range(0, 0.025),
                       .duration = 0.02,
                       .amp = amp * noise.Range(0.15, 0.3),
                       .attack = 0.001,
                       .decay = 0.05,
                       .release = 0.1,
                       .ratios = {1, 1.41, 1.83},
                       .amps = {1, 0.5, 0.3}});
    }
    track.AddBurst({.start = at,
                    .duration = 0.1,
                    .amp = amp * 0.3,
                    .attack = 0.002,
                    .decay = 0.04,
                    .fromHz = 3600,
                    .toHz = 3600,
                    .q = 2.0},
                   noise);
}

Track Jester() {
    Track track(1.0);
    Noise noise(0x5eed06);
    // "Jin-gle bells, jin-gle bells": short, short, long, twice.
    const double beats[] = {0.0, 0.13, 0.26, 0.5, 0.63, 0.76};
    for (int k = 0; k < 6; ++k) {
        const bool accented = k == 2 || k == 5;
        track.AddNote({.freq = Midi(88),
                       .start = beats[k],
                       .duration = accented ? 0.2 : 0.1,
                       .amp = accented ? 0.55 : 0.4,
                       .attack = 0.002,
                       .decay = 0.2,
                       .release = 0.06,
                       .ratios = {1, 2.76, 5.4},
                       .amps = {1, 0.25, 0.08}});
        Shake(track, noise, beats[k], accented ? 1.0 : 0.7);
    }
    return track;
}

Track Win() {
    Track track(8.5);
    Noise noise(0x5eed07);
    const double beat = 0.5;
    auto brass = [&](double at, double length, double midi, double amp = 1.0) {
        track.AddNote({.freq = Midi(midi),
                       .start = at * beat,
                       .duration = length * beat,
                       .amp = amp,
                       .attack = 0.03,
                       .decay = 4.0,
                       .release = 0.07,
                       .vibratoHz = 5.0,
                       .vibratoDepth = length > 1 ? 0.004 : 0.0,
                       .ratios = {1, 2, 3, 4, 5, 6, 7, 8},
                       .amps = {1, 0.7, 0.5, 0.35, 0.25, 0.15, 0.1, 0.06}});
    };
    struct Step {
        double at, length, midi;
    };
    // The tune: a call of three pick-ups, a climb, an answer and a held high C.
    const Step melody[] = {
        {0, .3, 67},     {.333, .3, 67}, {.667, .3, 67},  {1, .95, 72},    {2, .45, 76},
        {2.5, .45, 74},  {3, .45, 72},   {3.5, .45, 76},  {4, 1.45, 79},   {5.5, .45, 76},
        {6, .45, 77},    {6.5, .45, 81}, {7, .45, 79},    {7.5, .45, 77},  {8, .45, 76},
        {8.5, .45, 74},  {9, .3, 67},    {9.333, .3, 67}, {9.667, .3, 67}, {10, .45, 72},
        {10.5, .45, 76}, {11, .45, 79},  {11.5, .45, 76}, {12, .45, 79},   {12.5, 3.4, 84},
    };
    for (const Step& s : melody)
        brass(s.at, s.length, s.midi);

    struct Chord {
        double at, length;
        std::vector<double> notes;
        double bass;
    };
    const Chord chords[] = {
        {0, 2, {60, 64, 67}, 48},     {2, 2, {60, 64, 67}, 48},          {4, 1.5, {59, 62, 67}, 43},
        {5.5, 1.5, {60, 65, 69}, 41}, {7, 1, {59, 62, 65}, 43},          {8, 1, {60, 64, 67}, 48},
        {9, 1, {59, 62, 67}, 43},     {10, 1, {60, 64, 67}, 48},         {11, 1, {60, 64, 67}, 48},
        {12, .5, {59, 62, 67}, 43},   {12.5, 3.4, {60, 64, 67, 72}, 36},
    };
    for (const Chord& c : chords) {
        for (double n : c.notes)
            track.AddNote({.freq = Midi(n),
                           .start = c.at * beat,
                           .duration = c.length * beat - 0.03,
                           .amp = 0.28,
                           .attack = 0.06,
                           .decay = 3.0,
                           .release = 0.1,
                           .ratios = {1, 2, 3},
                           .amps = {1, 0.3, 0.1}});
        track.AddNote({.freq = Midi(c.bass),
                       .start = c.at * beat,
                       .duration = c.length * beat - 0.03,
                       .amp = 0.55,
                       .attack = 0.02,
                       .decay = 0.8,
                       .release = 0.1,
                       .ratios = {1, 2, 3},
                       .amps = {1, 0.5, 0.2}});
        // A soft drum on every chord.
        track.AddNote({.freq = 70,
                       .start = c.at * beat,
                       .duration = 0.05,
                       .amp = 0.5,
                       .attack = 0.002,
                       .decay = 0.12,
                       .release = 0.15});
        Snap(track, noise, c.at * beat, 0.15, 1200);
    }
    // A cymbal swell under the last chord.
    track.AddBurst({.start = 12.5 * beat,
                    .duration = 1.9,
                    .amp = 0.25,
                    .attack = 0.01,
                    .decay = 0.7,
                    .fromHz = 3600,
                    .toHz = 3000,
                    .q = 0.7},
                   noise);
    return track;
}

struct Sound {
    const char* name;
    std::function<Track()> make;
    double fadeIn;
    double fadeOut;
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen <outdir>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "soundgen: cannot create %s\n", argv[1]);
        return 1;
    }
    const Sound sounds[] = {
        {"SHUFFLE", Shuffle, 0.002, 0.03}, {"RESTART", Restart, 0.002, 0.03},
        {"DEAL", Deal, 0.001, 0.01},       {"STOCK", Stock, 0.001, 0.02},
        {"UNDO", Undo, 0.005, 0.03},       {"AUTOPLAY", Autoplay, 0.001, 0.04},
        {"OPEN", Open, 0.005, 0.1},        {"JESTER", Jester, 0.002, 0.1},
        {"WIN_SND", Win, 0.005, 0.4},
    };
    QString qrc = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/res\">\n");
    for (const Sound& sound : sounds) {
        const QString file = QString::fromLatin1(sound.name) + QStringLiteral(".wav");
        QSaveFile wav(out + '/' + file);
        if (!wav.open(QIODevice::WriteOnly) ||
            wav.write(Wave(sound.make().Finish(kPeak, sound.fadeIn, sound.fadeOut))) < 0 || !wav.commit()) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", qPrintable(wav.fileName()));
            return 1;
        }
        qrc += QStringLiteral("  <file>%1</file>\n").arg(file);
    }
    qrc += QStringLiteral("</qresource>\n</RCC>\n");
    QSaveFile list(out + QStringLiteral("/sounds.qrc"));
    if (!list.open(QIODevice::WriteOnly) || list.write(qrc.toUtf8()) < 0 || !list.commit()) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", qPrintable(list.fileName()));
        return 1;
    }
    return 0;
}
