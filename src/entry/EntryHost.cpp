#include "EntryHost.h"

#include "MainWindowHost.h"

namespace {
EntryHost* g_host = nullptr;
} // namespace

EntryHost* EntryHost::current()
{
    static MainWindowHost mainWindow;
    return g_host ? g_host : &mainWindow;
}

void EntryHost::install(EntryHost* host)
{
    g_host = host;
}
