#include "application.h"

#include <QMessageBox>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
}

void Application::setTitle(const QString &title)
{
    m_title = title;
}

Application *Application::instance()
{
    return qobject_cast<Application *>(QCoreApplication::instance());
}

void Application::ShowException(const std::exception &e)
{
    showMessage(QString::fromUtf8(e.what()));
}

void Application::showMessage(const QString &message)
{
    QMessageBox::critical(activeWindow(), m_title, message);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    // Qt lets an exception travel back to here and no further; past this point it would end
    // the program. A failed action should cost the user that action, not the program.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowException(e);
    } catch (...) {
        showMessage(tr("Une erreur inattendue s'est produite."));
    }
    return false;
}
