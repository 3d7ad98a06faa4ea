#include "FakeDataCheckComponent.h"

#include "shell/CheckInfo.h"

#include <QFile>

QList<FakeDataCheckComponent::Call>& FakeDataCheckComponent::calls()
{
    static QList<Call> c;
    return c;
}

QByteArray& FakeDataCheckComponent::nextAnswer()
{
    static QByteArray a;
    return a;
}

QByteArray FakeDataCheckComponent::answerXml(const QList<QPair<QString, QString>>& sources)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DataSoures>\n");
    for (const auto& s : sources) {
        xml += QStringLiteral(
                   "  <DataSoure>\n    <systype>%1</systype>\n    <nd>2008</nd>\n    <djh>%2</djh>\n"
                   "    <kqbh>K001</kqbh>\n    <ssksbh>1</ssksbh>\n    <ksbh>2</ksbh>\n"
                   "    <fieldname>矿区编号</fieldname>\n    <tablename>压覆</tablename>\n  </DataSoure>\n")
                   .arg(s.first, s.second);
    }
    xml += QStringLiteral("</DataSoures>\n");
    return xml.toUtf8();
}

void FakeDataCheckComponent::Check_Database(int first, int second, const QString& systemName,
                                            const QString& connection, const QString& empty1,
                                            const QString& empty2, const QString& programDir,
                                            const QString& provincePrefix, QWidget* mainWindow)
{
    calls().append(Call{QStringLiteral("Check_Database"),
                        {QString::number(first), QString::number(second), systemName, connection, empty1,
                         empty2, programDir, provincePrefix},
                        mainWindow,
                        this});
    if (!nextAnswer().isEmpty()) answer(programDir, nextAnswer());
}

void FakeDataCheckComponent::Define_Check_Items(int first, int second, const QString& systemName,
                                                const QString& programDir)
{
    calls().append(Call{QStringLiteral("Define_Check_Items"),
                        {QString::number(first), QString::number(second), systemName, programDir},
                        nullptr,
                        this});
}

void FakeDataCheckComponent::answer(const QString& programDir, const QByteArray& bytes)
{
    QFile f(programDir + QLatin1Char('/') + CheckInfoFile::kFileName);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes);
        f.close();
    }
    Q_EMIT answered();
}
