#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

// Fills `dir` as the application's speaker folder: the stand-in diarization program under the
// real program's name, the real sherpa-onnx library, and an embedding model made for the tests.
// False when any piece is missing (python3-onnx is needed for the model). The target defines
// SPEAKERS_STANDIN, SHERPA_ONNX_LIB and MAKE_EMBEDDING_MODEL.
inline bool makeSpeakerFolder(const QString& dir) {
    bool ok = QDir().mkpath(dir + "/bin") && QDir().mkpath(dir + "/lib") &&
              QFile::copy(SPEAKERS_STANDIN, dir + "/bin/sherpa-onnx-offline-speaker-diarization");
    for (const char* name : {"libsherpa-onnx-c-api.so", "libonnxruntime.so"})
        ok = ok && QFile::link(QString(SHERPA_ONNX_LIB) + "/" + name, dir + "/lib/" + name);
    // The stand-in reads no segmentation model; the folder only has to hold one.
    QFile segmentation(dir + "/segmentation.onnx");
    ok = ok && segmentation.open(QIODevice::WriteOnly) && segmentation.write("x") == 1;
    QProcess make;
    make.start("/usr/bin/python3", {MAKE_EMBEDDING_MODEL, dir + "/embedding.onnx"});
    return ok && make.waitForFinished(60000) && make.exitStatus() == QProcess::NormalExit &&
           make.exitCode() == 0;
}
