// A clipboard text pasted into a coordinate grid, as Shift+Insert does.
#include "FuzzSupport.h"

#include "registration/coordgrid/CoordGridCommands.h"
#include "registration/coordgrid/CoordGridHost.h"
#include "registration/coordgrid/CoordGridModel.h"

namespace {

class Host : public CoordGridHost
{
public:
    QString clipboard;
    bool editorVisible() const override { return false; }
    QString editorText() const override { return QString(); }
    void showEditor(const QString&) override {}
    void hideEditor() override {}
    void focusEditor() override {}
    void focusGrid() override {}
    void processEvents() override {}
    void modelChanged() override {}
    void setBusy(bool) override {}
    void setRepaintSuspended(bool) override {}
    void markChanged() override {}
    void syncMenuToolbar() override {}
    void repaintPage() override {}
    void setClipboardText(const QString& text) override { clipboard = text; }
    QString clipboardText() const override { return clipboard; }
    void showMessage(const QString&, const QString&, Prompt::Icon) override {}
    bool askYesNo(const QString&, const QString&, Prompt::Icon) override { return true; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::init();
    if (size < 1) return 0;
    // The first byte places the cursor; the rest is the clipboard.
    CoordGridModel grid;
    grid.setRows(6);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c < CoordGridModel::Cols; ++c)
            grid.setTextMatrix(r, c, QString::number(r * 10 + c));
    grid.setCursor(1 + data[0] % 5, 1 + (data[0] / 5) % 5);
    Host host;
    host.clipboard = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    CoordGridCommands commands(grid, host);
    commands.pasteBlock();
    FuzzSupport::require(grid.Rows() >= 2, "the grid keeps its heading and entry rows");
    return 0;
}
