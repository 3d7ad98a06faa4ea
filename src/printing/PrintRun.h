#pragma once

#include "platform/Result.h"

#include <QString>

#include <memory>

class PainterSurface;
class PrintSurface;

// Where a print run goes: a printer of the system by its name, or a PDF file
// through the print-to-PDF printer.
struct PrintDestination
{
    QString printerName;
    QString pdfFile; // the file the print-to-PDF printer writes
    QString title;   // the job's name in the printer's queue, the PDF file's title

    bool isPdf() const;
};

// One print run on the program's printer (printerService()). Making it points the
// printer at the destination, the whole of it (output format, printer, output file:
// none for a printer of the system), so that nothing of an earlier run carries over
// and paper settings made afterwards hold for the run; the surface is started when
// first used. A PDF file is written beside its
// target under a temporary name and put in place by finish(). A printer of the
// system whose queue takes no job gets no surface, and finish() says why; a job the
// queue does not take when finish() hands it over fails the same way.
//
// Tests have every run draw on a surface of their own (setTestSurface).
class PrintRun
{
public:
    explicit PrintRun(const PrintDestination& destination);
    ~PrintRun();
    PrintRun(const PrintRun&) = delete;
    PrintRun& operator=(const PrintRun&) = delete;

    // The surface of the run; nullptr when there is no printer to draw on.
    PrintSurface* surface();
    // Completes the run: the job goes to the printer, the PDF file into place.
    Status finish();

    // Every run draws on `surface` (not owned) while it is set; nullptr ends that.
    static void setTestSurface(PrintSurface* surface);

    // "打印机未接受打印任务：<printer>（<reason>）"
    static QString Refused_Message(const QString& printer, const QString& reason);

private:
    PrintDestination m_destination;
    QString m_partFile;
    QString m_error; // why nothing can be printed: finish() says it
    std::unique_ptr<PainterSurface> m_surface;
    bool m_failed = false;
};
