#include "MainWindowServices.h"

namespace {
MainWindowServices* g_installed = nullptr;
}

MainWindowServices& mainWindow()
{
    static MainWindowServices standIn;
    return g_installed ? *g_installed : standIn;
}

void installMainWindowServices(MainWindowServices* services)
{
    g_installed = services;
}
