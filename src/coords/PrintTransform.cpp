#include "PrintTransform.h"

#include "platform/TextNumber.h"
#include "shell/ProgramState.h"

namespace Module_PrintTable {

namespace {
int transform(float scale, int position, double offset)
{
    return TextNumber::roundToInt32(double(scale) * double(position) + offset);
}
} // namespace

int To_Printer_X(int x)
{
    return transform(float(state().PrintScaleX), x, 800.0);
}

int To_Printer_Y(int y)
{
    return transform(float(state().PrintScaleY), y, 1200.0);
}

} // namespace Module_PrintTable
