#include "PrintQueue.h"

#include <cups/cups.h>

#include <memory>

// The printer library's own reset of the last error of this thread, which every
// request it makes sets; exported by libcups, though its headers keep it to
// themselves.
extern "C" void _cupsSetError(ipp_status_t status, const char* message, int localize);

namespace PrintQueue {

namespace {

struct IppFree
{
    void operator()(ipp_t* message) const { ippDelete(message); }
};
using Ipp = std::unique_ptr<ipp_t, IppFree>;

QByteArray queueOf(const QString& printer)
{
    return printer.section(u'/', 0, 0).toUtf8();
}

bool lastFailed()
{
    return cupsLastError() > IPP_STATUS_OK_CONFLICTING;
}

// The queue's state; null when the server gives none. Either way its answer is
// then the printer library's last one in this thread.
Ipp ask(const QByteArray& queue)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state",
                                         "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    Ipp answer(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/")); // takes the request
    if (lastFailed()) return nullptr;
    return answer;
}

} // namespace

QString refusal(const QString& printer)
{
    const Ipp answer = ask(queueOf(printer));
    if (!answer) return {}; // a printer gone or a server away: the job meets it
    ipp_attribute_t* accepting = ippFindAttribute(answer.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    ipp_attribute_t* state = ippFindAttribute(answer.get(), "printer-state", IPP_TAG_ENUM);
    const bool refuses = accepting && !ippGetBoolean(accepting, 0);
    const bool stopped = state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
    if (!refuses && !stopped) return {};
    ipp_attribute_t* message = ippFindAttribute(answer.get(), "printer-state-message", IPP_TAG_ZERO);
    return refusalWords(refuses,
                        message ? QString::fromUtf8(ippGetString(message, 0, nullptr)).trimmed() : QString());
}

QString refusalWords(bool refuses, const QString& said)
{
    const QString rejecting = QStringLiteral("不接受打印任务");
    const QString paused = QStringLiteral("已暂停");
    // The server's own words when nobody gave a reason.
    if (said == QLatin1String("Rejecting Jobs")) return rejecting;
    if (said == QLatin1String("Paused")) return paused;
    if (!said.isEmpty()) return said;
    return refuses ? rejecting : paused;
}

QString handOver(const QString& printer, const std::function<void()>& end)
{
    // The printer library keeps the answer to the last request of each thread: it
    // is cleared first, so that what is read after the hand-over is the job's, and
    // no failure when the hand-over asked nothing.
    _cupsSetError(IPP_STATUS_OK, nullptr, 0);
    end();
    if (!lastFailed()) return {};
    const QString server = QString::fromUtf8(cupsLastErrorString());
    const QString why = refusal(printer);
    return why.isEmpty() ? server : why;
}

} // namespace PrintQueue
