#include "platform/Prompter.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

const QString kCaption = QStringLiteral("Quillmark");

class StandardPrompter final : public Prompter
{
public:
    void Message(QWidget *parent, const QString &text) override
    {
        QMessageBox box(QMessageBox::NoIcon, kCaption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    bool AskYesNo(QWidget *parent, const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    int Run(QDialog &dialog) override { return dialog.exec(); }

    QString ChooseOpenFile(QWidget *parent, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    }
};

} // namespace

Prompter &Prompter::Standard()
{
    static StandardPrompter prompter;
    return prompter;
}
