#include "RowGrid.h"

namespace editors {

const QString RowGrid::Present = QStringLiteral("有");
const QString RowGrid::Average = QStringLiteral("平均含量");

namespace {

const std::array<QString, RowGrid::Columns> Titles = {
    QStringLiteral("序号"),           QStringLiteral("矿产代码及名称"), QStringLiteral("矿产组合"),
    QStringLiteral("统计对象及单位"), QStringLiteral("矿石类型"),       QStringLiteral("矿石品级"),
    QStringLiteral("矿石质量"),       QStringLiteral("资源储量")};

bool inGrid(int row, int column)
{
    return row >= 0 && row < RowGrid::Rows && column >= 0 && column < RowGrid::Columns;
}

} // namespace

RowGrid::RowGrid()
{
    Init_Grid();
}

void RowGrid::Init_Grid()
{
    for (auto& row : m_text)
        row.fill(QString());
    for (int c = 0; c < Columns; ++c)
        m_text[0][c] = Titles[c];
    for (int r = 1; r < Rows; ++r)
        m_text[r][Number] = QString::number(r);
}

void RowGrid::Clear_Row_Codes()
{
    for (int r = 1; r <= LastRow; ++r) {
        for (int c = 1; c <= Columns; ++c)
            m_codes[r][c] = 0;
    }
}

QString RowGrid::text(int row, int column) const
{
    return inGrid(row, column) ? m_text[row][column] : QString();
}

void RowGrid::setText(int row, int column, const QString& text)
{
    if (inGrid(row, column)) m_text[row][column] = text;
}

int RowGrid::code(int row, int column) const
{
    if (row < 0 || row > Rows || column < 0 || column > Columns) return 0;
    return m_codes[row][column];
}

void RowGrid::setCode(int row, int column, int code)
{
    if (row < 0 || row > Rows || column < 0 || column > Columns) return;
    m_codes[row][column] = code;
}

RowGrid::Key RowGrid::key(int row) const
{
    return {code(row, Mineral), code(row, Object), code(row, OreType), code(row, OreGrade)};
}

int RowGrid::findDuplicate(int row, const Key& candidate)
{
    for (int i = 1; i <= LastRow; ++i) {
        if (i == row) continue;
        const Key k = key(i);
        if (k.mineral == candidate.mineral && k.object == candidate.object && k.type == candidate.type &&
            k.grade == candidate.grade) {
            Dup_Row = i;
            return i;
        }
    }
    return 0;
}

int RowGrid::Find_Duplicate_Row(int row, int listIndex, int code)
{
    Key candidate = key(row);
    if (listIndex == 1) candidate.type = code;
    if (listIndex == 2) candidate.grade = code;
    return findDuplicate(row, candidate);
}

QString RowGrid::cellButton(int row, int column) const
{
    if (row < 1 || row > LastRow) return QString();
    if (!hasMineral(row) && column != Mineral) return QString();
    if (row != 1 && !hasMineral(row - 1)) return QString();
    if (isAverage(row) && (column == OreType || column == OreGrade || column == Reserve)) return QString();
    const bool stored = !text(row, Quality).isEmpty() || !text(row, Reserve).isEmpty();
    if (stored && (column == Mineral || column == Object)) return QString();
    switch (column) {
    case Mineral:
    case Combination:
    case OreType:
    case OreGrade:
        return QStringLiteral("▼");
    case Quality:
    case Reserve:
        return QStringLiteral("...");
    default:
        return QString();
    }
}

QStringList RowGrid::missingBeforeEditor(int row, int column) const
{
    QStringList names;
    if (text(row, Mineral).isEmpty()) names << Titles[Mineral];
    if (text(row, Combination).isEmpty()) names << Titles[Combination];
    if (text(row, Object).isEmpty()) names << Titles[Object];
    if (column == Reserve && text(row, OreType).isEmpty()) names << Titles[OreType];
    return names;
}

void RowGrid::insertEmptyRow(int row)
{
    if (row < 1 || row > LastRow) return;
    for (int i = LastRow; i > row; --i) {
        for (int c = 1; c < Columns; ++c) {
            m_text[i][c] = m_text[i - 1][c];
            m_codes[i][c] = m_codes[i - 1][c];
        }
    }
    for (int c = 1; c < Columns; ++c) {
        m_text[row][c].clear();
        m_codes[row][c] = 0;
    }
}

} // namespace editors
