#pragma once

#include "shell/DataCheckComponent.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A data-check component for tests: records how it was called and, when given an
// answer, writes it as checkinfodjk.xml into the program folder it was handed and
// signals it.
class FakeDataCheckComponent : public DataCheckComponent
{
    Q_OBJECT
public:
    struct Call
    {
        QString method;
        QStringList arguments; // every argument as text, in order
        QWidget* mainWindow = nullptr;
        FakeDataCheckComponent* component = nullptr; // the instance that was called
    };
    // Shared by all instances the factory makes.
    static QList<Call>& calls();
    // The answer the next checking run writes (raw bytes); empty: no answer.
    static QByteArray& nextAnswer();

    // A well-formed answer with one DataSoure per (systype, djh) pair.
    static QByteArray answerXml(const QList<QPair<QString, QString>>& sources);

    void Check_Database(int first, int second, const QString& systemName, const QString& connection,
                        const QString& empty1, const QString& empty2, const QString& programDir,
                        const QString& provincePrefix, QWidget* mainWindow) override;
    void Define_Check_Items(int first, int second, const QString& systemName,
                            const QString& programDir) override;

    // Writes `bytes` as the answer file into `programDir` and emits answered().
    void answer(const QString& programDir, const QByteArray& bytes);
};
