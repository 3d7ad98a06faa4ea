// mkdjk: builds the template registration database djk.sys.
//
//   mkdjk <out-file> <schema.sql> <dictionaries.sql> <regions.txt> <version>
//
// Runs the schema script and the dictionary script statement by statement, loads the
// administrative regions into cb08, writes the version into 数据库参数, all in one
// transaction on a temporary file in the target folder, and renames that file onto
// <out-file> only when everything succeeded. On any failure it prints a message naming the
// input and line, leaves no file behind and keeps an existing <out-file> unchanged.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringConverter>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryFile>
#include <QVariant>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

const char* const ConnectionName = "mkdjk";

struct Statement
{
    QString text;
    int line = 0; // line of the script where the statement starts
};

struct Region
{
    int code = 0;
    QString name;
    int line = 0;
};

void printError(const QString& message)
{
    std::fprintf(stderr, "mkdjk: %s\n", message.toLocal8Bit().constData());
}

// Reads a whole file as UTF-8; a file that is not valid UTF-8 is refused.
bool readUtf8File(const QString& path, QString* text, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: cannot read: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringConverter::Utf8);
    *text = decoder.decode(bytes);
    if (decoder.hasError()) {
        *error = QStringLiteral("%1: not valid UTF-8").arg(path);
        return false;
    }
    return true;
}

// Splits an SQL script into statements at the semicolons that stand outside quotes and
// comments. Comments are dropped; a final statement without a semicolon still counts.
// Statements with bodies of their own (CREATE TRIGGER ... BEGIN ... END) are not supported.
std::vector<Statement> splitStatements(const QString& script)
{
    enum class State { Code, SingleQuote, DoubleQuote, LineComment, BlockComment };

    std::vector<Statement> statements;
    QString current;
    int currentLine = 0;
    int line = 1;
    State state = State::Code;

    auto finish = [&]() {
        const QString text = current.trimmed();
        if (!text.isEmpty()) statements.push_back({text, currentLine});
        current.clear();
        currentLine = 0;
    };
    auto append = [&](QChar c) {
        if (currentLine == 0 && !c.isSpace()) currentLine = line;
        current.append(c);
    };

    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        const QChar next = i + 1 < script.size() ? script.at(i + 1) : QChar();
        switch (state) {
        case State::Code:
            if (c == u'-' && next == u'-') {
                state = State::LineComment;
                ++i;
            } else if (c == u'/' && next == u'*') {
                state = State::BlockComment;
                current.append(u' ');
                ++i;
            } else if (c == u';') {
                finish();
            } else {
                if (c == u'\'')
                    state = State::SingleQuote;
                else if (c == u'"')
                    state = State::DoubleQuote;
                append(c);
            }
            break;
        case State::SingleQuote:
            append(c);
            if (c == u'\'') state = State::Code; // a doubled quote re-enters the literal at once
            break;
        case State::DoubleQuote:
            append(c);
            if (c == u'"') state = State::Code;
            break;
        case State::LineComment:
            if (c == u'\n') {
                state = State::Code;
                current.append(c);
            }
            break;
        case State::BlockComment:
            if (c == u'*' && next == u'/') {
                state = State::Code;
                ++i;
            }
            break;
        }
        if (c == u'\n') ++line;
    }
    finish();
    return statements;
}

// Reads the region list: one "code name" pair a line, six-digit code, blank lines skipped.
bool parseRegions(const QString& path, const QString& text, std::vector<Region>* regions, QString* error)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{6})\\s+(\\S.*)$"));
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString lineText = lines.at(i).trimmed();
        if (lineText.isEmpty()) continue;
        const QRegularExpressionMatch match = pattern.match(lineText);
        if (!match.hasMatch()) {
            *error = QStringLiteral("%1:%2: expected a six-digit code and a name, found \"%3\"")
                         .arg(path)
                         .arg(i + 1)
                         .arg(lineText);
            return false;
        }
        regions->push_back({match.captured(1).toInt(), match.captured(2).trimmed(), int(i + 1)});
    }
    if (regions->empty()) {
        *error = QStringLiteral("%1: no region codes").arg(path);
        return false;
    }
    return true;
}

struct Script
{
    QString path;
    std::vector<Statement> statements;
};

// Fills the database file `file`; the caller owns the file. Everything runs in one
// transaction, rolled back on the first failure.
bool fillDatabase(const QString& file, const std::vector<Script>& scripts, const QString& regionsPath,
                  const std::vector<Region>& regions, const QString& version, QString* error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(ConnectionName));
    db.setDatabaseName(file);
    if (!db.open()) {
        *error = QStringLiteral("%1: cannot open: %2").arg(file, db.lastError().text());
        return false;
    }
    if (!db.transaction()) {
        *error = QStringLiteral("%1: cannot start a transaction: %2").arg(file, db.lastError().text());
        db.close();
        return false;
    }

    auto fail = [&](const QString& message) {
        *error = message;
        db.rollback();
        db.close();
        return false;
    };

    QSqlQuery query(db);
    for (const Script& script : scripts) {
        for (const Statement& statement : script.statements) {
            if (!query.exec(statement.text))
                return fail(QStringLiteral("%1:%2: %3")
                                .arg(script.path)
                                .arg(statement.line)
                                .arg(query.lastError().text()));
            query.finish();
        }
    }

    if (!query.prepare(QStringLiteral("INSERT INTO cb08 (DM, MC) VALUES (?, ?)")))
        return fail(QStringLiteral("cb08: %1").arg(query.lastError().text()));
    for (const Region& region : regions) {
        query.bindValue(0, region.code);
        query.bindValue(1, region.name);
        if (!query.exec())
            return fail(
                QStringLiteral("%1:%2: %3").arg(regionsPath).arg(region.line).arg(query.lastError().text()));
    }

    if (!query.prepare(QStringLiteral("INSERT INTO 数据库参数 (版本号) VALUES (?)")))
        return fail(QStringLiteral("数据库参数: %1").arg(query.lastError().text()));
    query.bindValue(0, version);
    if (!query.exec()) return fail(QStringLiteral("数据库参数: %1").arg(query.lastError().text()));
    query.finish();

    if (!db.commit()) return fail(QStringLiteral("%1: cannot commit: %2").arg(file, db.lastError().text()));
    db.close();
    return true;
}

int run(const QStringList& args)
{
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: mkdjk <out-file> <schema.sql> <dictionaries.sql> "
                             "<regions.txt> <version>\n");
        return 2;
    }
    const QString outPath = QFileInfo(args.at(1)).absoluteFilePath();
    const QString version = args.at(5).trimmed();
    QString error;

    if (version.isEmpty()) {
        printError(QStringLiteral("the version is empty"));
        return 1;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        printError(QStringLiteral("the Qt SQLite driver (QSQLITE) is not available"));
        return 1;
    }

    std::vector<Script> scripts;
    for (int i = 2; i <= 3; ++i) {
        QString text;
        if (!readUtf8File(args.at(i), &text, &error)) {
            printError(error);
            return 1;
        }
        scripts.push_back({args.at(i), splitStatements(text)});
    }
    QString regionText;
    std::vector<Region> regions;
    if (!readUtf8File(args.at(4), &regionText, &error) ||
        !parseRegions(args.at(4), regionText, &regions, &error)) {
        printError(error);
        return 1;
    }

    const QFileInfo outInfo(outPath);
    const QDir targetDir = outInfo.absoluteDir();
    if (!targetDir.exists()) {
        printError(QStringLiteral("%1: the folder does not exist").arg(targetDir.path()));
        return 1;
    }
    if (outInfo.isDir()) {
        printError(QStringLiteral("%1: is a folder").arg(outPath));
        return 1;
    }

    // The temporary file lies beside the target so that the final rename stays within one
    // file system. It is closed before SQLite opens it and removed unless it was renamed.
    QTemporaryFile temp(targetDir.filePath(outInfo.fileName() + QStringLiteral(".XXXXXX.tmp")));
    if (!temp.open()) {
        printError(QStringLiteral("%1: cannot create a temporary file: %2")
                       .arg(targetDir.path(), temp.errorString()));
        return 1;
    }
    temp.close();

    const bool filled = fillDatabase(temp.fileName(), scripts, args.at(4), regions, version, &error);
    QSqlDatabase::removeDatabase(QLatin1String(ConnectionName));
    if (!filled) {
        printError(error);
        return 1;
    }

    // QTemporaryFile creates the file for its owner alone; the template is an ordinary file.
    QFile::setPermissions(temp.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadUser | QFileDevice::WriteUser |
                                               QFileDevice::ReadGroup | QFileDevice::ReadOther);

    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(temp.fileName().toStdU16String()),
                            std::filesystem::path(outPath.toStdU16String()), ec);
    if (ec) {
        printError(QStringLiteral("%1: cannot move the finished file into place: %2")
                       .arg(outPath, QString::fromLocal8Bit(ec.message().c_str())));
        return 1;
    }
    temp.setAutoRemove(false);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return run(QCoreApplication::arguments());
}
