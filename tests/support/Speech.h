#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstring>
#include <vector>

// Speech synthesised by espeak-ng (at a pitch from 0 to 99, in its default voice or another one
// such as "en+f3", a woman's) and resampled by sox to the stream format: 16 kHz mono 16-bit.
// Empty when either program is missing.
inline std::vector<int16_t> speech(const QString& text, int pitch = 50, const QString& voice = {}) {
    QTemporaryDir dir;
    const QString wav = dir.filePath("speech.wav");
    const QString raw = dir.filePath("speech.raw");
    const auto run = [](const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    };
    QStringList espeak{"-p", QString::number(pitch)};
    if (!voice.isEmpty())
        espeak << "-v" << voice;
    espeak << "-w" << wav << text;
    if (!run("espeak-ng", espeak) || !run("sox", {wav, "-t", "raw", "-r", "16000", "-e",
                                                  "signed-integer", "-b", "16", "-c", "1", raw}))
        return {};
    QFile file(raw);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    std::vector<int16_t> out(size_t(bytes.size()) / 2);
    memcpy(out.data(), bytes.data(), out.size() * 2);
    return out;
}
