#pragma once

#include <QString>
#include <QStringList>

// A small reserve-statistics database for tests: the tables KCL_KS, KCL_SJKCS,
// KCL_ZYCL and 矿山 with the columns the program reads.
struct StatisticsDatabase
{
    enum Table { KCL_KS = 1, KCL_SJKCS = 2, KCL_ZYCL = 4, MineTable = 8, All = 15 };

    int tables = All;
    // KCL_SJKCS.BBH; kNoRow leaves KCL_SJKCS without rows.
    QString version = QStringLiteral("1.44");

    // Creates the file at `path` (replacing it). Returns false on any failure.
    bool create(const QString& path) const;

    // Rows for the cross-checks.
    struct Mine
    {
        QString KQBH;
        int DJFLBH = 0;
        int ND = 0;
    };
    struct Reserve
    {
        int ND = 0;
        QString KQBH;
        int DJFLBH = 0;
        int KCDM = 0;
        int TJDX = 0;
        int KSLX = 0;
        int KSPJ = 0;
        int ZYCLLB = 19001;
        QString ZYCLLX;
        double JSL = 0;
        double KSL = 0;
        QString KCZHM;
        QString KCZH;
    };
    QList<Mine> mines;
    QList<Reserve> reserves;

    static inline const QString kNoRow = QStringLiteral("<none>");
};
