#include "framework/core/WindowPlacement.h"

#include "framework/core/IniFile.h"

#include <QList>

#include <algorithm>

namespace WindowPlacement {

namespace {

const QString NormPosKey = QStringLiteral("NormPos");
const QString ShowCmdKey = QStringLiteral("ShowCmd");
const QString PositionKey = QStringLiteral("Position");
const QString Absent = QStringLiteral("None");

// Beyond any desktop: a hand-edited or damaged value must not make a window vanish far away.
constexpr int Limit = 100000;

// Exactly count comma-separated integers within the limit, or nothing.
std::optional<QList<int>> Integers(const QString& text, int count) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count)
        return std::nullopt;
    QList<int> values;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok || value < -Limit || value > Limit)
            return std::nullopt;
        values.append(value);
    }
    return values;
}

QString Read(const QString& fileName, const QString& section, const QString& key) {
    return IniFile::ReadString(fileName, section, key, Absent);
}

} // namespace

bool Save(const QString& section, const TPlacement& placement, const QString& fileName) {
    const QRect& r = placement.normalGeometry;
    const QString geometry =
        QStringLiteral("%1,%2,%3,%4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
    return IniFile::WriteStrings(
        fileName, section,
        {{NormPosKey, geometry}, {ShowCmdKey, QString::number(static_cast<int>(placement.state))}});
}

std::optional<TPlacement> Load(const QString& section, const QString& fileName) {
    const auto values = Integers(Read(fileName, section, NormPosKey), 4);
    if (!values)
        return std::nullopt;
    const QRect geometry((*values)[0], (*values)[1], (*values)[2], (*values)[3]);
    if (geometry.width() <= 0 || geometry.height() <= 0)
        return std::nullopt;
    TPlacement placement;
    placement.normalGeometry = geometry;
    bool ok = false;
    const int state = Read(fileName, section, ShowCmdKey).trimmed().toInt(&ok);
    if (ok && state >= static_cast<int>(TShowState::Normal) &&
        state <= static_cast<int>(TShowState::Maximized))
        placement.state = static_cast<TShowState>(state);
    return placement;
}

bool SavePosition(const QString& section, const QPoint& topLeft, const QString& fileName) {
    return IniFile::WriteString(fileName, section, PositionKey,
                                QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y()));
}

std::optional<QPoint> LoadPosition(const QString& section, const QString& fileName) {
    const auto values = Integers(Read(fileName, section, PositionKey), 2);
    if (!values)
        return std::nullopt;
    return QPoint((*values)[0], (*values)[1]);
}

QRect Centred(QSize frame, const QRect& available) {
    QRect placed(QPoint(), frame);
    placed.moveCenter(available.center());
    placed.moveLeft(
        std::max(available.left(), std::min(placed.left(), available.right() + 1 - frame.width())));
    placed.moveTop(
        std::max(available.top(), std::min(placed.top(), available.bottom() + 1 - frame.height())));
    return placed;
}

} // namespace WindowPlacement
