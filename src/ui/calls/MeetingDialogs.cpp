#include "ui/calls/MeetingDialogs.h"

#include "calls/SpeakerFinder.h"
#include "meetings/MeetingStore.h"

#include "ui/calls/SpeakerName.h"
#include "ui/widgets/Alert.h"

#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace MeetingDialogs {

namespace {

// A question with something to fill in under its text; the message box has no room for that.
class Question : public QDialog {
  public:
    Question(QWidget* parent, const QString& text, const QString& detail) : QDialog(parent) {
        setWindowModality(Qt::ApplicationModal);
        setWindowTitle(QStringLiteral("Voxmere"));
        layout = new QVBoxLayout(this);
        layout->setSpacing(10);
        auto* heading = new QLabel(text);
        // Names and line texts are the user's own; they must never be read as markup.
        heading->setTextFormat(Qt::PlainText);
        heading->setWordWrap(true);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        layout->addWidget(heading);
        if (!detail.isEmpty()) {
            auto* info = new QLabel(detail);
            info->setTextFormat(Qt::PlainText);
            info->setWordWrap(true);
            info->setMaximumWidth(380);
            layout->addWidget(info);
        }
    }

    // True when the user chose `accept`; the accessory takes the keyboard first.
    bool ask(const QString& accept, QWidget* accessory) {
        layout->addWidget(accessory);
        auto* buttons = new QDialogButtonBox;
        buttons->addButton(accept, QDialogButtonBox::AcceptRole)->setDefault(true);
        buttons->addButton(QDialogButtonBox::Cancel)
            ->setText(QCoreApplication::translate("MeetingDialogs", "Cancel"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
        accessory->setFocus();
        return exec() == QDialog::Accepted;
    }

  private:
    QVBoxLayout* layout;
};

} // namespace

void askRename(QWidget* parent, MeetingStore& store, const Meeting& m, const SpeakerKey& key,
               const QStringList& names) {
    const QString name = speakerName(m, key);
    Question box(parent, QCoreApplication::translate("MeetingDialogs", "Rename %1").arg(name),
                 QCoreApplication::translate("MeetingDialogs",
                                             "Changes every line by %1 in this call. Use a name "
                                             "another speaker already has to merge the two.")
                     .arg(name));
    auto* combo = new QComboBox;
    combo->setObjectName(QStringLiteral("renameName"));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(names);
    combo->setMaxVisibleItems(10);
    combo->setFixedSize(260, 26);
    combo->completer()->setCompletionMode(QCompleter::InlineCompletion);
    combo->setEditText(m.givenName(key).value_or(QString()));
    combo->lineEdit()->setPlaceholderText(name);
    if (box.ask(QCoreApplication::translate("MeetingDialogs", "Rename"), combo))
        store.rename(m.id, key, combo->currentText());
}

void askEditLine(QWidget* parent, MeetingStore& store, const Meeting& m, const MeetingLine& line) {
    Question box(parent,
                 QCoreApplication::translate("MeetingDialogs", "Edit what %1 said")
                     .arg(speakerName(m, line.key())),
                 QString());
    auto* field = new QPlainTextEdit(line.text);
    field->setObjectName(QStringLiteral("lineText"));
    field->setFixedSize(380, 110);
    field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    if (box.ask(QCoreApplication::translate("MeetingDialogs", "Save"), field))
        store.setText(m.id, line.id, field->toPlainText());
}

std::optional<std::optional<int>> askSpeakerCount(QWidget* parent) {
    Question box(parent, SpeakerFinder::chooserMessage(), SpeakerFinder::chooserText());
    auto* choice = new QComboBox;
    choice->setObjectName(QStringLiteral("speakerCount"));
    choice->addItems(SpeakerFinder::chooserItems());
    if (!box.ask(SpeakerFinder::chooserFind(), choice))
        return std::nullopt;
    return SpeakerFinder::chooserCount(choice->currentIndex());
}

bool confirmRetranscribe(QWidget* parent) {
    return Alert::confirm(
        parent, QCoreApplication::translate("MeetingDialogs", "Transcribe this call again?"),
        QCoreApplication::translate("MeetingDialogs",
                                    "Voxmere will go through the saved audio and replace the "
                                    "current transcript. A one-hour call takes a few minutes."),
        QCoreApplication::translate("MeetingDialogs", "Transcribe again"));
}

} // namespace MeetingDialogs
