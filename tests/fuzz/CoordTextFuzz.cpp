// The stored coordinate text: read into a grid as the entry window loads it, written
// back as a save does. Whatever the input, one round trip makes a text that the
// next round trip leaves unchanged, and a damaged text comes back unchanged.
#include "FuzzSupport.h"

#include "coords/CoordText.h"
#include "registration/coordgrid/CoordGridLoader.h"
#include "registration/coordgrid/CoordGridModel.h"

namespace {

QString roundTrip(const QString& stored, bool* damaged)
{
    const QString lines = KCUTIL::Coord_Str_To_Lines(stored, damaged);
    CoordGridModel grid;
    bool geographic = false;
    CoordGridLoader::Init_Flex(grid, geographic, lines);
    if (*damaged) grid.setKeptText(stored);
    return KCUTIL::Coord_Grid_To_Str(grid).text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::init();
    const QString stored = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    bool damaged = false;
    const QString once = roundTrip(stored, &damaged);
    if (damaged) FuzzSupport::require(once == stored, "a damaged text is written back unchanged");
    bool again = false;
    const QString twice = roundTrip(once, &again);
    if (!damaged) {
        FuzzSupport::require(!again, "a text the writer made is never damaged");
        FuzzSupport::require(twice == once, "the second round trip changes nothing");
    }
    return 0;
}
