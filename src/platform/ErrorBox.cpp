#include "ErrorBox.h"

#include "Prompt.h"

#include <QGuiApplication>

namespace ErrorBox {

namespace {
// Wherever the error box is linked, errors that no caller takes are shown in it.
[[maybe_unused]] const bool g_installed = [] {
    Db::setUnhandledErrorHandler([](const Db::Error& e) { show(e); });
    return true;
}();
} // namespace

void show(int number, const QString& source, const QString& description, QWidget* parent)
{
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    if (number == 0) return;
    Prompt::message(text(number, source, description), QStringLiteral("Error"), Prompt::Icon::None, parent);
}

void show(const Db::Error& error, QWidget* parent)
{
    show(error.number == 0 ? -1 : error.number, error.source, error.description, parent);
}

} // namespace ErrorBox
