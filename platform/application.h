#pragma once

#include <QApplication>
#include <QString>

#include <exception>

// The application object. It keeps the program's title, which captions its message boxes,
// and it is the one place where an exception that escapes an event handler ends up: the
// message is shown to the user and the event loop carries on.
class Application : public QApplication
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE setTitle)

public:
    Application(int &argc, char **argv);

    QString Title() const { return m_title; }
    void setTitle(const QString &title);

    // The standard report of a failure: a message box captioned with the title.
    void ShowException(const std::exception &e);

    // The running application object, or null before it exists or when the running
    // one is a plain QApplication (as in some tests).
    static Application *instance();

    bool notify(QObject *receiver, QEvent *event) override;

private:
    void showMessage(const QString &message);

    QString m_title;
};
