#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace editors {

// The grid of the mineral and ore row list and the codes behind its cells
// (Row_Codes), apart from any widget: row 0 holds the titles, rows 1 to 25 one ore
// row key each; column 0 is the row number. The window draws what this holds.
class RowGrid
{
public:
    static constexpr int Rows = 26;
    static constexpr int Columns = 8;
    static constexpr int LastRow = 25;

    enum Column {
        Number = 0,
        Mineral = 1,     // 矿产代码 in Row_Codes
        Combination = 2, // 矿产组合码
        Object = 3,      // 统计对象
        OreType = 4,     // 矿石类型
        OreGrade = 5,    // 矿石品级
        Quality = 6,     // the quality marker
        Reserve = 7      // the reserve marker
    };

    // The markers of the quality and reserve columns.
    static const QString Present; // "有"
    static const QString Average; // "平均含量"

    // The key of a grid row: 矿产代码, 统计对象, 矿石类型, 矿石品级.
    struct Key
    {
        int mineral = 0;
        int object = 0;
        int type = 0;
        int grade = 0;
    };

    RowGrid();

    // Empties every cell and writes the titles and the row numbers 1 to 25.
    void Init_Grid();
    // Sets the codes of rows 1 to 25, columns 1 to 8, to 0.
    void Clear_Row_Codes();

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    int code(int row, int column) const;
    void setCode(int row, int column, int code);

    bool hasMineral(int row) const { return !text(row, Mineral).isEmpty(); }
    bool isAverage(int row) const { return text(row, Quality) == Average; }
    Key key(int row) const;

    // The first row other than `row` whose codes of columns 1, 3, 4 and 5 equal
    // `candidate`; sets Dup_Row and returns it, or returns 0 (Dup_Row unchanged).
    int findDuplicate(int row, const Key& candidate);
    // The duplicate test of a list pick: list 0 (combination) compares the row's own
    // key, list 1 puts `code` in place of its ore type, list 2 in place of its grade.
    int Find_Duplicate_Row(int row, int listIndex, int code);

    // The caption of the cell button a click on (row, column) shows: "▼" for the
    // mineral, combination, ore type and grade, "..." for the quality and reserve
    // editors, "" where no button is offered (rows fill from the top, a row starts
    // with its mineral, an average row has no type, grade or reserves, a row with
    // stored data keeps its mineral and statistics object).
    QString cellButton(int row, int column) const;
    // The titles of the cells that must be filled before the editor of `column`
    // (Quality or Reserve) opens for `row`.
    QStringList missingBeforeEditor(int row, int column) const;

    // Moves rows `row` to 24 down by one (texts and codes, the numbers stay) and
    // empties row `row`.
    void insertEmptyRow(int row);

    // The row that the last duplicate test found.
    int Dup_Row = 0;

private:
    std::array<std::array<QString, Columns>, Rows> m_text;
    std::array<std::array<int, Columns + 1>, Rows + 1> m_codes{};
};

} // namespace editors
