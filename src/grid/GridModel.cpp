#include "grid/GridModel.h"

namespace orv {

QString GridRow::badge() const
{
    switch (Digitale) {
    case 1:
        return QStringLiteral("DTT");
    case 2:
        return QStringLiteral("GEN");
    case 3:
        return QStringLiteral("RAD");
    default:
        return {};
    }
}

bool GridRow::codeColours(quint32 &back, quint32 &fore) const
{
    const QString b = grid::prendiColore(Colore);
    if (b.isEmpty())
        return false;
    back = b.toUInt();
    fore = grid::prendiFont(Colore).toUInt();
    return true;
}

QString GridCell::tag() const
{
    return QLatin1Char('D') + dayText(key.Data) + QLatin1Char('[') + QString::number(key.Numerazione) +
           QLatin1Char(']') + key.Palinsesto + ORA;
}

QString GridModel::keyText(const ProgrammeKey &key)
{
    return QString::number(key.Data) + QLatin1Char('|') + QString::number(key.Numerazione) + QLatin1Char('|') +
           key.Palinsesto.toCaseFolded();
}

int GridModel::findCell(const ProgrammeKey &key) const
{
    if (byKey_.isEmpty() && !cells.empty()) {
        byKey_.reserve(qsizetype(cells.size()));
        for (size_t i = 0; i < cells.size(); ++i)
            byKey_.insert(keyText(cells[i].key), int(i));
    }
    return byKey_.value(keyText(key), -1);
}

int GridModel::findRow(const QString &channel) const
{
    const QString folded = channel.toCaseFolded();
    for (size_t r = 0; r < rows.size(); ++r)
        if (rows[r].NOMETV.toCaseFolded() == folded)
            return int(r);
    return -1;
}

std::pair<int, int> GridModel::rowCells(int row) const
{
    if (row < 0 || size_t(row) + 1 >= rowStart_.size())
        return {0, 0};
    return {rowStart_[size_t(row)], rowStart_[size_t(row) + 1]};
}

void GridModel::finish()
{
    rowStart_.assign(rows.size() + 1, 0);
    size_t i = 0;
    for (size_t r = 0; r <= rows.size(); ++r) {
        while (i < cells.size() && size_t(cells[i].row) < r)
            ++i;
        rowStart_[r] = int(i);
    }
    byKey_.clear();
}

int GridModel::visibleFavourite(int c) const
{
    for (size_t k = 0; k < favMarkers.size(); ++k)
        if (favMarkers[k].cell == c && favMarkers[k].visible)
            return int(k);
    return -1;
}

void GridModel::showFavourite(int c)
{
    if (c < 0 || size_t(c) >= cells.size())
        return;
    for (GridMarker &m : favMarkers)
        if (m.cell == c) {
            m.visible = true;
            return;
        }
    favMarkers.push_back({c, true});
}

void GridModel::hideFavourite(int c)
{
    for (GridMarker &m : favMarkers)
        if (m.cell == c)
            m.visible = false;
}

} // namespace orv
