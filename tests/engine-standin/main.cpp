// A stand-in for whisper-server in tests: takes the engine's arguments, answers "/" and
// "/inference" on the given host and port, and records what it was sent. Like the real engine it
// works through one inference request at a time, answers its errors with status 200, refuses
// connections until its model has "loaded", and answers silence (or under 0.1 s of audio) with
// an empty 200. Tests steer it through files in the folder named by VOXMERE_STANDIN_DIR:
//   replies      one directive per inference request; the first line is used up unless it is
//                the only one left, so "exit\ntext hi" dies once and then answers "hi":
//                  text <body>            200 with the body
//                  status <code> <body>   that status with the body
//                  error <message>        200 with {"error":"<message>"}
//                  slow <seconds> <body>  200 with the body after that delay
//                  silent                 never answers (nor anything after it)
//                  exit                   exits at once without answering
//                without a directive, speech gets " stand-in transcript\n" and a file without
//                samples 400 "Invalid request"
//   pitch-replies  lines "<hz> <words>": speech is answered with the words of the first line
//                whose hz lies above the audio's typical pitch and the request's number, so
//                two voices get different text and no answer repeats the one before it
//   root-status  the status "/" answers with (200 when absent)
//   load-delay   seconds to wait before listening
//   ignore-term  when present at start, SIGTERM is ignored
// It writes "args" (one argument a line) and, per request, requests/<n>.body and
// requests/<n>.type (the Content-Type header), n counting from 1 across restarts.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTimer>

#include <QThread>
#include <QtEndian>

#include "support/Pitch.h"

#include <algorithm>
#include <vector>

#include <csignal>
#include <cstdio>
#include <deque>
#include <memory>
#include <unistd.h>

namespace {

QString controlDir() {
    return qEnvironmentVariable("VOXMERE_STANDIN_DIR");
}

QByteArray readControl(const QString& name) {
    QFile file(controlDir() + "/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeControl(const QString& name, const QByteArray& data) {
    if (controlDir().isEmpty())
        return;
    QDir().mkpath(QFileInfo(controlDir() + "/" + name).path());
    QFile file(controlDir() + "/" + name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
}

QByteArray nextDirective() {
    QList<QByteArray> lines = readControl("replies").split('\n');
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return {};
    const QByteArray first = lines.takeFirst();
    if (!lines.isEmpty())
        writeControl("replies", lines.join('\n') + '\n');
    return first;
}

void record(const QHttpServerRequest& request) {
    if (controlDir().isEmpty())
        return;
    const QDir requests(controlDir() + "/requests");
    const int n = int(requests.entryList({"*.body"}, QDir::Files).size()) + 1;
    writeControl(QString("requests/%1.type").arg(n), request.value("Content-Type"));
    writeControl(QString("requests/%1.body").arg(n), request.body());
}

void answer(QHttpServerResponder& responder, int status, const QByteArray& body) {
    responder.write(body, "text/plain; charset=utf-8", QHttpServerResponder::StatusCode(status));
}

// The audio of a request's file part; empty when there is none.
QByteArray samplesOf(const QByteArray& body) {
    const QByteArray marker = "Content-Type: audio/wav\r\n\r\n";
    const qsizetype start = body.indexOf(marker);
    if (start < 0)
        return {};
    const qsizetype wav = start + marker.size();
    const qsizetype end = body.lastIndexOf("\r\n--");
    return end > wav + 44 ? body.mid(wav + 44, end - wav - 44) : QByteArray();
}

bool isSpeech(const QByteArray& samples) {
    return samples.size() >= 2 * 1600 && samples.count('\0') != samples.size();
}

// The median pitch of the audio's voiced 50 ms frames; 0 when none has a pitch.
double typicalPitch(const QByteArray& bytes) {
    constexpr int rate = 16000, frame = 800;
    std::vector<int16_t> s(size_t(bytes.size() / 2));
    qFromLittleEndian<int16_t>(bytes.constData(), qsizetype(s.size()), s.data());
    std::vector<double> found;
    for (size_t at = 0; at + frame <= s.size(); at += frame) {
        double energy = 0;
        for (size_t i = at; i < at + frame; ++i)
            energy += double(s[i]) * s[i];
        if (std::sqrt(energy / frame) < 300)
            continue;
        if (const double hz = pitch(s.data() + at, frame, rate); hz > 0)
            found.push_back(hz);
    }
    if (found.empty())
        return 0;
    std::nth_element(found.begin(), found.begin() + qsizetype(found.size() / 2), found.end());
    return found[found.size() / 2];
}

int answered = 0;

QByteArray byPitch(const QByteArray& samples) {
    const double hz = typicalPitch(samples);
    const QByteArray n = QByteArray::number(++answered);
    for (const QByteArray& line : readControl("pitch-replies").split('\n')) {
        const qsizetype space = line.indexOf(' ');
        if (space > 0 && hz < line.left(space).toDouble())
            return " " + line.mid(space + 1) + " " + n + ".\n";
    }
    return " stand-in transcript " + n + ".\n";
}

struct Pending {
    QByteArray samples;
    std::shared_ptr<QHttpServerResponder> responder;
};
std::deque<Pending> queue;
bool working = false;

void serveNext();

void finish(const Pending& request, int status, const QByteArray& body) {
    answer(*request.responder, status, body);
    queue.pop_front();
    working = false;
    QTimer::singleShot(0, serveNext);
}

void serveNext() {
    if (working || queue.empty())
        return;
    working = true;
    const Pending& request = queue.front();
    const QString directive = QString::fromUtf8(nextDirective());
    const QString verb = directive.section(' ', 0, 0);
    const QString rest = directive.section(' ', 1);
    if (verb == "exit")
        ::_exit(0);
    if (verb == "silent")
        return;
    if (verb == "status")
        return finish(request, rest.section(' ', 0, 0).toInt(), rest.section(' ', 1).toUtf8());
    if (verb == "error")
        return finish(request, 200, "{\"error\":\"" + rest.toUtf8() + "\"}");
    if (verb == "slow") {
        const int ms = int(rest.section(' ', 0, 0).toDouble() * 1000);
        QTimer::singleShot(
            ms, [body = rest.section(' ', 1).toUtf8()] { finish(queue.front(), 200, body); });
        return;
    }
    if (verb == "text")
        return finish(request, 200, rest.toUtf8());
    if (request.samples.isEmpty())
        return finish(request, 400, "Invalid request");
    if (!isSpeech(request.samples))
        return finish(request, 200, "");
    const bool voices = !readControl("pitch-replies").isEmpty();
    finish(request, 200, voices ? byPitch(request.samples) : " stand-in transcript\n");
}

void serveInference(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    record(request);
    queue.push_back(
        {samplesOf(request.body()), std::make_shared<QHttpServerResponder>(std::move(responder))});
    serveNext();
}

void serveRoot(const QHttpServerRequest&, QHttpServerResponder&& responder) {
    const QByteArray status = readControl("root-status").trimmed();
    answer(responder, status.isEmpty() ? 200 : status.toInt(), "stand-in ready");
}

QString argument(const QStringList& args, const QString& name, const QString& fallback) {
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    writeControl("args", args.join('\n').toUtf8() + '\n');
    if (QFile::exists(controlDir() + "/ignore-term"))
        std::signal(SIGTERM, SIG_IGN);

    const QString model = argument(args, "-m", "");
    const QString host = argument(args, "--host", "127.0.0.1");
    const int port = argument(args, "--port", "8080").toInt();
    std::fprintf(stderr, "stand-in: loading model '%s' with %s threads\n", qPrintable(model),
                 qPrintable(argument(args, "-t", "4")));
    std::fflush(stderr);
    if (!QFile::exists(model)) {
        std::fprintf(stderr, "stand-in: failed to load model\n");
        return 1;
    }

    const double loadDelay = readControl("load-delay").trimmed().toDouble();
    if (loadDelay > 0)
        QThread::msleep((unsigned long)(loadDelay * 1000));

    QHttpServer server;
    server.route("/inference", QHttpServerRequest::Method::Post,
                 [](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
                     serveInference(request, std::move(responder));
                 });
    server.route("/", [](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        serveRoot(request, std::move(responder));
    });
    if (server.listen(QHostAddress(host), quint16(port)) == 0) {
        std::fprintf(stderr, "stand-in: cannot listen on %s:%d\n", qPrintable(host), port);
        return 1;
    }
    std::printf("stand-in: listening at http://%s:%d\n", qPrintable(host), port);
    std::fflush(stdout);
    return app.exec();
}
