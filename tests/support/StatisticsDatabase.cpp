#include "StatisticsDatabase.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

bool StatisticsDatabase::create(const QString& path) const
{
    QFile::remove(path);
    const QString name = QStringLiteral("statistics-builder");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        auto run = [&](const QString& sql, const QVariantList& values = {}) {
            if (!ok) return;
            QSqlQuery q(db);
            ok = q.prepare(sql);
            for (int i = 0; ok && i < values.size(); ++i)
                q.bindValue(i, values.at(i));
            ok = ok && q.exec();
        };
        if (tables & KCL_KS) {
            run(QStringLiteral(
                "create table KCL_KS (KQBH VARCHAR(20), DJFLBH INTEGER, ND INTEGER, KSMC VARCHAR(100))"));
            for (const Mine& m : mines)
                run(QStringLiteral("insert into KCL_KS (KQBH, DJFLBH, ND) values (?,?,?)"),
                    {m.KQBH, m.DJFLBH, m.ND});
        }
        if (tables & KCL_SJKCS) {
            run(QStringLiteral("create table KCL_SJKCS (BBH VARCHAR(20))"));
            if (version != kNoRow) run(QStringLiteral("insert into KCL_SJKCS (BBH) values (?)"), {version});
        }
        if (tables & KCL_ZYCL) {
            run(QStringLiteral(
                "create table KCL_ZYCL (ND INTEGER, KQBH VARCHAR(20), DJFLBH INTEGER, KCDM INTEGER, "
                "TJDX INTEGER, KSLX INTEGER, KSPJ INTEGER, ZYCLLB INTEGER, ZYCLLX VARCHAR(10), "
                "JSL REAL, KSL REAL, KCZHM VARCHAR(10), KCZH VARCHAR(50))"));
            for (const Reserve& r : reserves)
                run(QStringLiteral(
                        "insert into KCL_ZYCL (ND, KQBH, DJFLBH, KCDM, TJDX, KSLX, KSPJ, ZYCLLB, ZYCLLX, "
                        "JSL, KSL, KCZHM, KCZH) values (?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                    {r.ND, r.KQBH, r.DJFLBH, r.KCDM, r.TJDX, r.KSLX, r.KSPJ, r.ZYCLLB, r.ZYCLLX, r.JSL, r.KSL,
                     r.KCZHM, r.KCZH});
        }
        if (tables & MineTable)
            run(QStringLiteral("create table 矿山 (KQBH VARCHAR(20), KSMC VARCHAR(100))"));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
