#pragma once

#include <QByteArray>
#include <QString>

// A multipart/form-data body built in memory, parts in the order they are added.
class MultipartBody {
  public:
    explicit MultipartBody(QByteArray boundary);

    // "voxmere-" and a fresh upper-case UUID, which no WAV or prompt will contain by chance.
    static QByteArray newBoundary();

    QByteArray contentType() const;
    void addField(const QString& name, const QString& value);
    void addFile(const QString& name, const QString& filename, const QByteArray& mimeType,
                 const QByteArray& data);
    QByteArray finish();

  private:
    QByteArray boundary;
    QByteArray body;
};
