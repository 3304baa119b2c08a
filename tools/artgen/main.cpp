// Draws every card picture of the program and lists them in art.qrc:
//   artgen <outdir>
// Each picture is drawn at every scale in Scales: at 1 under its own name
// (with its 16-colour form where the program has one), above 1 under its
// name with "@<scale>x" for high-density screens. Those have no 16-colour
// forms (a low-colour display takes the pictures of scale 1), and small cards
// take full-colour pictures there, with a symbol sheet of their own,
// "FS_sSYMBOLS".
#include "Art.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

class Writer {
public:
    explicit Writer(QString dir) : m_dir(std::move(dir)) {}

    void SetScale(int scale) { m_scale = scale; }
    int Scale() const { return m_scale; }

    // Saves the picture under name, and at scale 1 its 16-colour form under
    // name_16 when asked.
    bool Put(const QString& name, const QImage& image, bool alsoLow = false) {
        bool ok = Save(Scaled(name), image);
        if (alsoLow && m_scale == 1)
            ok = Save(name + "_16", Art::To16Colours(image)) && ok;
        return ok;
    }
    // A picture the program has only in 16 colours at scale 1 (and in full
    // colour above it).
    bool PutLowOnly(const QString& name, const QImage& image) {
        return m_scale == 1 ? Save(name + "_16", Art::To16Colours(image)) : Save(Scaled(name), image);
    }

    bool WriteQrc() const {
        QFile qrc(m_dir + "/art.qrc");
        if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        QTextStream out(&qrc);
        out << "<RCC><qresource prefix=\"/res\">\n";
        for (const QString& file : m_files)
            out << "<file>" << file << "</file>\n";
        out << "</qresource></RCC>\n";
        return out.status() == QTextStream::Ok;
    }

private:
    QString Scaled(const QString& name) const {
        return m_scale == 1 ? name : name + QString("@%1x").arg(m_scale);
    }

    bool Save(const QString& name, const QImage& image) {
        const QString file = name + ".png";
        if (!image.save(m_dir + "/" + file, "PNG")) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(m_dir + "/" + file));
            return false;
        }
        m_files << file;
        return true;
    }

    QString m_dir;
    int m_scale = 1;
    QStringList m_files;
};

bool DrawAll(Writer& w) {
    using namespace Art;
    const int k = w.Scale();
    bool ok = true;
    ok &= w.Put("FS_BORDER", BlankCard(LargeCard, k));
    ok &= w.Put("FS_sBORDER", BlankCard(SmallCard, k));
    ok &= w.Put("BORDER", CustomBackBlank(LargeCard, k));
    ok &= w.Put("sBORDER", CustomBackBlank(SmallCard, k));
    if (k == 1) {
        ok &= w.Put("FS_SYMBOLS", SymbolSheet(k, PipSize::Large));
        ok &= w.PutLowOnly("FS_SYMBOLS", SymbolSheet(k, PipSize::Small, true));
    } else {
        ok &= w.Put("FS_SYMBOLS", SymbolSheet(k, PipSize::Large));
        ok &= w.Put("FS_sSYMBOLS", SymbolSheet(k, PipSize::Small));
    }

    const char suitLetter[4] = {'C', 'S', 'D', 'H'};
    const char* const courtName[3] = {"JACK", "QUEEN", "KING"};
    const QSize large(56, 103), small(47, 75);
    // On small cards the picture is ANDed over the corner indices, so it keeps
    // a white margin wherever an index lies beneath it.
    const QRect smallFrame(5, 1, 37, 73);
    for (int r = 0; r < 3; ++r)
        for (int s = 0; s < 4; ++s) {
            const QString name = QString(courtName[r]) + suitLetter[s];
            ok &= w.Put("FS_" + name, CourtPicture(10 + r, s, large, QRect(QPoint(0, 0), large), k), true);
            ok &= w.PutLowOnly("FS_s" + name, CourtPicture(10 + r, s, small, smallFrame, k));
        }
    ok &= w.Put("FS_ACES", AceOfSpadesPicture(large, QRect(QPoint(0, 0), large), k), true);
    ok &= w.PutLowOnly("FS_sACES", AceOfSpadesPicture(small, QRect(5, 7, 37, 61), k));

    for (int b = 0; b < 3; ++b) {
        ok &= w.Put(QString("FS_BACK%1").arg(b + 1), Back(b, LargeCard, k), true);
        ok &= w.Put(QString("FS_sBACK%1").arg(b + 1), Back(b, SmallCard, k), true);
    }
    ok &= w.Put("FS_RECYCLE", RecycleMark(LargeCard, k), true);
    ok &= w.Put("FS_sRECYCLE", RecycleMark(SmallCard, k), true);
    ok &= w.Put("FS_EMPTY", EmptyMark(LargeCard, k), true);
    ok &= w.Put("FS_sEMPTY", EmptyMark(SmallCard, k), true);
    return ok;
}

} // namespace

// The scales drawn: 1 for ordinary screens, 2 for high-density ones; the
// program scales the nearest of them to any other ratio.
constexpr int Scales[] = {1, 2};

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: artgen <outdir>\n");
        return 2;
    }
    const QString out = args.at(1);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(out));
        return 1;
    }
    Writer writer(out);
    for (const int scale : Scales) {
        writer.SetScale(scale);
        if (!DrawAll(writer))
            return 1;
    }
    return writer.WriteQrc() ? 0 : 1;
}
