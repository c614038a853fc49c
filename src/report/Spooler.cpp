#include "report/Spooler.h"

#include "platform/BidiText.h"

#include <QElapsedTimer>
#include <cups/cups.h>
#include <memory>

namespace sijill::report {

namespace {

// How long the spooler may take to accept the connection, and to answer
// each request on it.
constexpr int kAnswerMs = 3000;

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

// The spooler the environment names now: libcups would keep the first.
QByteArray currentServer() {
    cupsSetServer(nullptr);
    return cupsServer();
}

// `server` may name a local socket's path: httpConnect2 takes it so.
Http connectSpooler(const QByteArray& server) {
    Http http(httpConnect2(server.constData(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
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

QString lastError() {
    return QString::fromUtf8(cupsLastErrorString());
}

bool spoolerSilent() {
    const ipp_status_t status = cupsLastError();
    return status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL;
}

// What the spooler says of one job now.
JobStatus jobStatus(http_t* http, int jobId) {
    static const char* const wanted[] = {"job-state", "job-state-reasons", "time-at-processing"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/jobs/%d", jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    const Ipp answer(cupsDoRequest(http, request, "/"));
    JobStatus status;
    const ipp_status_t code = answer ? ippGetStatusCode(answer.get()) : cupsLastError();
    if (code == IPP_STATUS_ERROR_NOT_FOUND) {
        status.answered = true;
        status.known = false;
        return status;
    }
    if (!answer || code > IPP_STATUS_OK_EVENTS_COMPLETE)
        return status;
    status.answered = true;
    if (ipp_attribute_t* state = ippFindAttribute(answer.get(), "job-state", IPP_TAG_ENUM))
        status.state = ippGetInteger(state, 0);
    if (ipp_attribute_t* reasons =
            ippFindAttribute(answer.get(), "job-state-reasons", IPP_TAG_KEYWORD))
        for (int i = 0; i < ippGetCount(reasons); ++i)
            status.reasons << QString::fromUtf8(ippGetString(reasons, i, nullptr));
    // A job never taken up has no time of processing ("no-value").
    status.started = ippFindAttribute(answer.get(), "time-at-processing", IPP_TAG_INTEGER);
    return status;
}

JobFate failed(QString reason, bool answered = true) {
    JobFate fate;
    fate.answered = answered;
    fate.reason = std::move(reason);
    return fate;
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
    const Http http = connectSpooler(currentServer());
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
    const QByteArray server = currentServer();
    const Http http = connectSpooler(server);
    if (!http)
        return failed(QStringLiteral("لم يستجب نظام الطباعة"), false);
    const QByteArray queue = printer.name.toUtf8();
    const QByteArray jobTitle = title.toUtf8();
    // Create-Job goes as a request of its own on the timed connection:
    // cupsCreateJob would look the queue up again on connections of its own,
    // without the time limit.
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri(printer.name).toUtf8().constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                 jobTitle.constData());
    ippAddInteger(request, IPP_TAG_JOB, IPP_TAG_INTEGER, "copies", std::max(1, settings.copies));
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "sides", nullptr,
                 sidesKeyword(settings.sides));
    const Ipp created(cupsDoRequest(http.get(), request, ("/printers/" + queue).constData()));
    ipp_attribute_t* id =
        created && ippGetStatusCode(created.get()) <= IPP_STATUS_OK_EVENTS_COMPLETE
            ? ippFindAttribute(created.get(), "job-id", IPP_TAG_INTEGER)
            : nullptr;
    const int jobId = id ? ippGetInteger(id, 0) : 0;
    const auto refused = [&] {
        return spoolerSilent() ? failed(QStringLiteral("لم يستجب نظام الطباعة"), false)
                               : failed(QStringLiteral("رفض نظام الطباعة المهمة على الطابعة %1: %2")
                                            .arg(name, lastError()));
    };
    if (jobId <= 0)
        return refused();
    // The document goes on the same connection, under the same limit.
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
    JobFate fate;
    fate.taken = true;
    fate.jobId = jobId;
    fate.server = server;
    return fate;
}

std::vector<JobStatus> askJobs(const QByteArray& server, const std::vector<int>& jobIds) {
    std::vector<JobStatus> statuses(jobIds.size());
    const Http http = connectSpooler(server);
    for (std::size_t i = 0; http && i < jobIds.size(); ++i) {
        statuses[i] = jobStatus(http.get(), jobIds[i]);
        // A spooler that let one request go unanswered is not asked again now.
        if (!statuses[i].answered)
            break;
    }
    return statuses;
}

std::optional<JobEnd> endOf(const JobStatus& status) {
    if (!status.answered)
        return std::nullopt;
    if (!status.known)
        return JobEnd::Unknown;
    switch (status.state) {
    case IPP_JSTATE_COMPLETED:
        return JobEnd::Completed;
    case IPP_JSTATE_ABORTED:
        return JobEnd::Aborted;
    case IPP_JSTATE_CANCELED:
        // A user's cancel says so while the job prints; a job cancelled
        // before any printer took it up was cancelled in the queue too.
        return status.reasons.contains(QStringLiteral("job-canceled-by-user")) ||
                       status.reasons.contains(QStringLiteral("canceled-by-user")) ||
                       !status.started
                   ? JobEnd::CancelledInQueue
                   : JobEnd::Cancelled;
    case IPP_JSTATE_HELD:
    case IPP_JSTATE_STOPPED:
        return JobEnd::Held;
    default:
        return std::nullopt;
    }
}

} // namespace sijill::report
