#pragma once

struct FormControl;
class QTableWidget;
class QWidget;
struct ReserveGridRows;

// The reserve table of the cover page: the header grid THFLEX over the body grid
// TBFLEX, both placed by the form layout on the page. The entry window makes the two
// grids through it; the table lays them out and shows a registration's rows.
class ReserveTable
{
public:
    // Makes the grid of layout control `c` (THFLEX or TBFLEX) on `parent`.
    QTableWidget* createGrid(const FormControl& c, QWidget* parent);

    QTableWidget* header() const { return m_header; }
    QTableWidget* body() const { return m_body; }

    // Lays out the header and body grids; the body is left empty.
    void Init_Table_Grids();
    // Shows the quality and reserve rows in the body.
    void show(const ReserveGridRows& rows);

private:
    QTableWidget* m_header = nullptr;
    QTableWidget* m_body = nullptr;
};
