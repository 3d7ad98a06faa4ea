#include "DialogHooks.h"

DialogHooks& dialogHooks()
{
    static DialogHooks hooks;
    return hooks;
}
