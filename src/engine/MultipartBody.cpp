#include "engine/MultipartBody.h"

#include <QUuid>

MultipartBody::MultipartBody(QByteArray boundary) : boundary(std::move(boundary)) {}

QByteArray MultipartBody::newBoundary() {
    return "voxmere-" + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toLatin1();
}

QByteArray MultipartBody::contentType() const {
    return "multipart/form-data; boundary=" + boundary;
}

void MultipartBody::addField(const QString& name, const QString& value) {
    body += "--" + boundary + "\r\nContent-Disposition: form-data; name=\"" + name.toUtf8() +
            "\"\r\n\r\n" + value.toUtf8() + "\r\n";
}

void MultipartBody::addFile(const QString& name, const QString& filename,
                            const QByteArray& mimeType, const QByteArray& data) {
    body += "--" + boundary + "\r\nContent-Disposition: form-data; name=\"" + name.toUtf8() +
            "\"; filename=\"" + filename.toUtf8() + "\"\r\nContent-Type: " + mimeType + "\r\n\r\n";
    body += data;
}

QByteArray MultipartBody::finish() {
    body += "\r\n--" + boundary + "--\r\n";
    return body;
}
