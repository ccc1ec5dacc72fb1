// Writes the hicolor theme's sizes of the application icon from its 1024-pixel rendering:
// icon-sizes <icon.png> <share/icons/hicolor folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3)
        return 2;
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull())
        return 1;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        QDir().mkpath(folder);
        const QImage scaled = icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (!scaled.save(folder + "/com.qerin.voxmere.png"))
            return 1;
    }
    return 0;
}
