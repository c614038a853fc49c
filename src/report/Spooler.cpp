#include "report/Spooler.h"

#include "platform/BidiText.h"

#include <QElapsedTimer>
#include <QThread>
#include <cups/cups.h>
#include <memory>

namespace sijill::report {

namespace {

// How long the spooler may take to accept the connection, and to answer
// each request on it.
constexpr int kAnswerMs = 3000;
// How long a submitted job is watched for the spooler's verdict.
constexpr int kWatchMs = 1500;
constexpr int kWatchStepMs = 100;

struct HttpClose {
    void operator()(http_t* http) const { httpClose(http); }
};
using Http = std::unique_ptr<http_t, HttpClose>;

struct IppDelete {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDelete>;

// A wait past the limit gives up at once instead of asking to wait longer.
int giveUp(http_t*, void*) {
    return 0;
}

Http connectSpooler() {
    // The server is looked up again each time: libcups would keep the first.
    cupsSetServer(nullptr);
    // cupsServer() may name a local socket's path: httpConnect2 takes it so.
    Http http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                           kAnswerMs, nullptr));
    if (http)
        httpSetTimeout(http.get(), kAnswerMs / 1000.0, giveUp, nullptr);
    return http;
}

QString textOf(ipp_attribute_t* attr) {
    return attr ? QString::fromUtf8(ippGetString(attr, 0, nullptr)) : QString();
}

// The printers of a CUPS-Get-Printers answer, one attribute group each.
std::vector<SpoolerPrinter> printersOf(ipp_t* answer) {
    std::vector<SpoolerPrinter> printers;
    SpoolerPrinter current;
    const auto flush = [&] {
        if (!current.name.isEmpty())
            printers.push_back(current);
        current = {};
    };
    for (ipp_attribute_t* a = ippFirstAttribute(answer); a; a = ippNextAttribute(answer)) {
        if (ippGetGroupTag(a) != IPP_TAG_PRINTER || !ippGetName(a)) {
            flush();
            continue;
        }
        const QByteArray name = ippGetName(a);
        if (name == "printer-name")
            current.name = textOf(a);
        else if (name == "printer-is-accepting-jobs")
            current.accepting = ippGetBoolean(a, 0) != 0;
        else if (name == "printer-state")
            current.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
        else if (name == "printer-state-message")
            current.message = textOf(a);
    }
    flush();
    return printers;
}

QString printerUri(const QString& printer) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", printer.toUtf8().constData());
    return QString::fromUtf8(uri);
}

// The job's state now: 0 when the spooler does not say.
int jobState(http_t* http, const QString& printer, int jobId) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri(printer).toUtf8().constData());
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "job-state");
    const Ipp answer(cupsDoRequest(http, request, "/"));
    if (!answer)
        return 0;
    ipp_attribute_t* state = ippFindAttribute(answer.get(), "job-state", IPP_TAG_ENUM);
    return state ? ippGetInteger(state, 0) : 0;
}

QString lastError() {
    return QString::fromUtf8(cupsLastErrorString());
}

bool spoolerSilent() {
    const ipp_status_t status = cupsLastError();
    return status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL;
}

JobFate failed(QString reason, bool answered = true) {
    JobFate fate;
    fate.answered = answered;
    fate.reason = std::move(reason);
    return fate;
}

// Watches a submitted job for a short while: a job the spooler aborts,
// cancels or stops at once did not print; one still queued or printing did.
JobFate watch(http_t* http, const QString& printer, int jobId) {
    const QString name = platform::isolate(printer);
    QElapsedTimer clock;
    clock.start();
    while (true) {
        const int state = jobState(http, printer, jobId);
        if (state == IPP_JSTATE_ABORTED || state == IPP_JSTATE_CANCELED ||
            state == IPP_JSTATE_STOPPED)
            return failed(
                QStringLiteral("أوقف نظام الطباعة مهمة الطباعة على الطابعة %1").arg(name));
        if (state == IPP_JSTATE_COMPLETED || state == IPP_JSTATE_PROCESSING ||
            clock.elapsed() >= kWatchMs) {
            JobFate fate;
            fate.printed = true;
            fate.jobId = jobId;
            return fate;
        }
        QThread::msleep(kWatchStepMs);
    }
}

const char* sidesKeyword(JobSettings::Sides sides) {
    switch (sides) {
    case JobSettings::Sides::LongEdge:
        return CUPS_SIDES_TWO_SIDED_PORTRAIT;
    case JobSettings::Sides::ShortEdge:
        return CUPS_SIDES_TWO_SIDED_LANDSCAPE;
    case JobSettings::Sides::OneSided:
        break;
    }
    return CUPS_SIDES_ONE_SIDED;
}

} // namespace

const SpoolerPrinter* SpoolerView::find(const QString& name) const {
    for (const SpoolerPrinter& p : printers)
        if (p.name == name)
            return &p;
    return nullptr;
}

const SpoolerPrinter* SpoolerView::target() const {
    if (const SpoolerPrinter* chosen = find(defaultPrinter))
        return chosen;
    return printers.size() == 1 && defaultPrinter.isEmpty() ? &printers.front() : nullptr;
}

SpoolerView askSpooler() {
    SpoolerView view;
    QElapsedTimer clock;
    clock.start();
    const Http http = connectSpooler();
    if (!http) {
        // Refused at once: no spooler runs. Only a connection that took the
        // whole time limit is a spooler that does not answer.
        view.silent = clock.elapsed() >= kAnswerMs;
        return view;
    }
    static const char* const wanted[] = {"printer-name", "printer-is-accepting-jobs",
                                         "printer-state", "printer-state-message"};
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    const Ipp answer(cupsDoRequest(http.get(), request, "/"));
    // A spooler without printers answers "not found".
    const ipp_status_t status = answer ? ippGetStatusCode(answer.get()) : cupsLastError();
    if (status > IPP_STATUS_OK_EVENTS_COMPLETE && status != IPP_STATUS_ERROR_NOT_FOUND) {
        view.silent = spoolerSilent();
        return view;
    }
    view.answered = true;
    if (answer)
        view.printers = printersOf(answer.get());
    if (view.printers.empty())
        return view;
    // The user's own choice (lpoptions, PRINTER) first, then the spooler's.
    if (const char* chosen = cupsGetDefault2(http.get()))
        view.defaultPrinter = QString::fromUtf8(chosen);
    if (!view.find(view.defaultPrinter))
        view.defaultPrinter.clear();
    return view;
}

JobFate submitPdf(const SpoolerPrinter& printer, const QString& title, const QByteArray& pdf,
                  const JobSettings& settings) {
    const QString name = platform::isolate(printer.name);
    if (!printer.accepting)
        return failed(QStringLiteral("الطابعة %1 لا تقبل مهام الطباعة").arg(name));
    if (printer.stopped)
        return failed(QStringLiteral("الطابعة %1 متوقفة").arg(name));
    const Http http = connectSpooler();
    if (!http)
        return failed(QStringLiteral("لم يستجب نظام الطباعة"), false);
    cups_option_t* options = nullptr;
    int count =
        cupsAddOption(CUPS_COPIES, QByteArray::number(std::max(1, settings.copies)), 0, &options);
    count = cupsAddOption(CUPS_SIDES, sidesKeyword(settings.sides), count, &options);
    const QByteArray queue = printer.name.toUtf8();
    const QByteArray jobTitle = title.toUtf8();
    const int jobId =
        cupsCreateJob(http.get(), queue.constData(), jobTitle.constData(), count, options);
    cupsFreeOptions(count, options);
    const auto refused = [&] {
        return spoolerSilent() ? failed(QStringLiteral("لم يستجب نظام الطباعة"), false)
                               : failed(QStringLiteral("رفض نظام الطباعة المهمة على الطابعة %1: %2")
                                            .arg(name, lastError()));
    };
    if (jobId <= 0)
        return refused();
    if (cupsStartDocument(http.get(), queue.constData(), jobId, jobTitle.constData(),
                          CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE ||
        cupsWriteRequestData(http.get(), pdf.constData(), size_t(pdf.size())) !=
            HTTP_STATUS_CONTINUE ||
        cupsFinishDocument(http.get(), queue.constData()) > IPP_STATUS_OK_EVENTS_COMPLETE) {
        JobFate fate = refused();
        // A job left half sent would wait in the queue for the rest of its pages.
        if (fate.answered)
            cupsCancelJob2(http.get(), queue.constData(), jobId, 0);
        return fate;
    }
    return watch(http.get(), printer.name, jobId);
}

} // namespace sijill::report
