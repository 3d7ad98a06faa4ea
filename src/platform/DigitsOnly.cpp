#include "DigitsOnly.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

QValidator* digitsOnlyValidator(QObject* parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), parent);
}
