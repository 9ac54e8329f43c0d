#include "_kelmo.h"
#include "application.h"
#include "helpunits.h"

int main(int argc, char *argv[])
{
    // First in, last out: the help engine is loaded before anything else exists and freed
    // only after the main window, whose destruction closes every help window, is gone.
    const HelpUnits helpUnits;

    Application application(argc, argv);
    application.setTitle(QStringLiteral("KELMO 1.0"));
    Application::setStyle(QStringLiteral("fusion"));
    // The desktop matches the window to its menu entry and icon by these two names.
    Application::setApplicationName(QStringLiteral("KELMO"));
    Application::setDesktopFileName(QStringLiteral("fr.kelmo.kelmo"));

    TForm1 form;
    // The program and its main window share one icon, read once.
    Application::setWindowIcon(form.windowIcon());
    form.show();
    return Application::exec();
}
