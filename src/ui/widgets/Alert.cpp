#include "ui/widgets/Alert.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Alert {

bool confirm(QWidget* parent, const QString& text, const QString& detail,
             const QString& confirmLabel) {
    QMessageBox box(parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Voxmere"));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setInformativeText(detail);
    QPushButton* yes = box.addButton(confirmLabel, QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel)->setText(QCoreApplication::translate("Alert", "Cancel"));
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace Alert
