#include "app/SingleWindow.h"

#include "instance/SingleInstance.h"
#include "prompt/Prompter.h"
#include "res/Tr.h"

#include <QApplication>
#include <QWidget>

CSingleWindow::CSingleWindow() = default;
CSingleWindow::~CSingleWindow() = default;

bool CSingleWindow::Claim(const QString &dataFilePath, Prompter &prompter)
{
    m_instance = std::make_unique<CSingleInstance>(dataFilePath);
    switch (m_instance->Claim()) {
    case CSingleInstance::Outcome::First:
        connect(m_instance.get(), &CSingleInstance::anotherStartKnocked, this,
                &CSingleWindow::BringToFront);
        return true;
    case CSingleInstance::Outcome::HandedOver:
        m_handedOver = true;
        return false;
    case CSingleInstance::Outcome::NoAnswer:
        prompter.Message(nullptr, Tr::tr("Quillmark is already running with the lists in %1, but it does not "
                                         "answer. Close it (or end it, if it hangs) and start Quillmark again.")
                                          .arg(dataFilePath));
        return false;
    case CSingleInstance::Outcome::OtherComputer:
        if (!prompter.AskYesNo(nullptr,
                               Tr::tr("The lists in %1 are marked as in use by Quillmark on the computer "
                                      "\"%2\", which cannot be asked from here (a home folder shared "
                                      "between computers, or a disk moved over), and no Quillmark on this "
                                      "computer uses them.\n\nIf Quillmark is not running on \"%2\" with "
                                      "these lists, you can start anyway. Start Quillmark anyway?")
                                       .arg(dataFilePath, m_instance->LockComputer()))
            || !m_instance->StartAnyway()) {
            return false;
        }
        connect(m_instance.get(), &CSingleInstance::anotherStartKnocked, this,
                &CSingleWindow::BringToFront);
        return true;
    }
    return false;
}

void CSingleWindow::SetWindow(QWidget *window)
{
    m_window = window;
}

void CSingleWindow::BringToFront()
{
    if (!m_window)
        return;
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    // An open dialog stays in front of its window and takes the keys.
    QWidget *front = QApplication::activeModalWidget();
    if (!front)
        front = m_window;
    front->raise();
    front->activateWindow();
}
