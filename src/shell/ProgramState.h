#pragma once

#include "QueryFilter.h"

#include <QSqlDatabase>
#include <QString>

#include <array>

class QMainWindow;
class QWidget;

// Longitude and latitude bounds of a coordinate grid in decimal degrees.
struct Coord_Extent
{
    double X_Min = 0.0;
    double X_Max = 0.0;
    double Y_Min = 0.0;
    double Y_Max = 0.0;
};

// The program-wide state, under the names the whole program uses for it. One
// instance serves the running program; tests install their own.
struct ProgramState
{
    // Folders and files.
    QString ProgramDir;       // folder of the executable
    QString HelpFilePath;     // program folder + "/Tarnwick.chm"
    QString DBPath, DBName;   // registration database
    QString TJPath, TJName;   // reserve-statistics database
    QString ViewFlag;         // "0" labels registration nodes by number, anything else by name
    QString Switched_DB_Path; // set by the parameter dialog when it switched databases

    // The shared connection lives under CnName; Cn() gives it.
    QString CnName;
    QSqlDatabase Cn() const;

    int ProvinceCode = 0;

    // Windows.
    int Active_Form = 0;                   // 1 while the entry window is loaded
    std::array<bool, 6> Form_Opened{};     // elements 1 to 5; 1 is the entry window
    std::array<bool, 6> Form_Changed{};    // per-window edited flags, 1 to 5
    int Edit_Open = 0;                     // -1 while the detail editor is open
    QMainWindow* MainWindow = nullptr;     // TabMain once shown
    QWidget* Xml_hWnd = nullptr;           // the main window, for the XML exchange
    QWidget* Mcd_hWnd = nullptr;           // the main window, for the data-check component

    // Printing.
    double PrintScaleX = 1.2;
    double PrintScaleY = 1.5;
    int PrinterCount = 0;
    bool Print_DJH_Flag = false;
    // The printer's paper size and orientation codes before the last
    // KCUTIL::Check_Paper_Size, which KCUTIL::Set_Paper_Size gives back.
    int Saved_Paper_Size = 0;
    int Saved_Orientation = 0;

    // Sketch-map switches.
    bool MapFill = true;
    bool MapShowPoints = false;
    bool MapShowLabels = false;
    bool MapShowAll = true;
    bool MapOnlyRight = false;
    bool MapOnlyReserve = false;

    // The registration shown and the entry window's marks.
    QString Cur_DJH;
    bool Is_Loading = false;
    bool Nav_Changed = false;
    bool Check_Failed = false;
    bool Reg_Inserted = false;
    QString Area_Coord_Str;
    Coord_Extent Area_Extent;
    Coord_Extent Calc_Extent;

    // Grid popup command pending for the coordinate grid, and which grid.
    int Flex_Menu_Cmd = 0;
    int Flex_Menu_Index = 0;

    // The registration-list filter: set by the query dialog, emptied by the entry
    // window's query button, read by the navigation trees.
    QueryFilter Query_Filter;
    QString Query_Where;
    QString Query_SQL;
    QString Query_Where2;
    // The texts of the query dialog's boxes at its last accepted 确定 (0 to 7 used).
    std::array<QString, 9> Query_Text;

    // The duplicate prompt of the imports: its message and the last answer.
    QString Prompt_Msg;
    int Prompt_Answer = 0;
};

// The state of the running program (or the one a test installed).
ProgramState& state();
// Installs `s` as the program's state; nullptr goes back to the built-in instance.
void installState(ProgramState* s);
