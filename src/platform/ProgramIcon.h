#pragma once

#include <QIcon>

// The programs' own icon, the same for every window: layers of rock with the outline
// of a construction over them. Made once; needs the application.
QIcon programIcon();
