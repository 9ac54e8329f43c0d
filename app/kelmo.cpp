#include "_kelmo.h"
#include "application.h"

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    application.setTitle(QStringLiteral("KELMO 1.0"));
    Application::setStyle(QStringLiteral("fusion"));
    Application::setWindowIcon(QIcon(QStringLiteral(":/kelmo/kelmo.xpm")));

    TForm1 form;
    form.show();
    return Application::exec();
}
